// Every refused command line and every undecodable input: one clear line, a non-zero status, the
// input untouched and nothing written.
#include "sips_harness.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string_view>
#include <sys/stat.h>

namespace sips_test {
namespace {

struct BadLine : Row {
    const char* arguments; // split at spaces; IN: the input picture, OUT: an output, GONE: no file
    const char* reason;    // a regular expression
    const char* named = "IN"; // the file the message names, or "sips" when there is none
};

// Splits a command line at spaces, replacing the placeholders it may hold.
std::vector<std::string> expand(const std::string& line,
                                const std::map<std::string, std::string>& placeholders) {
    std::vector<std::string> arguments;
    std::istringstream words(line);
    for (std::string word; words >> word;)
        arguments.push_back(placeholders.contains(word) ? placeholders.at(word) : word);
    return arguments;
}

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, IsRefusedWithoutWritingAnything) {
    TemporaryFolder folder;
    const fs::path input = folder / "photo.jpg";
    copySample("photo.jpg", input);
    const std::string before = fileBytes(input);
    const std::map<std::string, std::string> placeholders{
        {"IN", input}, {"OUT", folder / "out.png"}, {"GONE", folder / "gone.jpg"}};
    expectOneErrorLine(sips(expand(GetParam().arguments, placeholders)),
                       expand(GetParam().named, placeholders)[0], GetParam().reason);
    EXPECT_EQ(fileBytes(input), before);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"photo.jpg"});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadCommandLine,
    ::testing::Values(
        BadLine{"UnknownFormat", "-s format gif IN", "unknown format 'gif'"},
        BadLine{"ZeroDpi", "-s format jpeg IN -s dpiHeight 0", "dpiHeight must be .* 65535"},
        BadLine{"DpiBeyondJfif", "-s format jpeg IN -s dpiWidth 65536", "dpiWidth must be a whole"},
        BadLine{"FractionalDpi", "-s format jpeg IN -s dpiWidth 72.5", "not '72.5'"},
        BadLine{"NegativeDpi", "-s format jpeg IN -s dpiHeight -3", "not '-3'"},
        BadLine{"UnknownOption", "-s format jpeg IN --bogus", "unknown option '--bogus'"},
        BadLine{"UnknownProperty", "-s quality 90 -s format jpeg IN", "unknown property 'quality'"},
        BadLine{"OutWithoutFile", "-s format png IN --out", "missing value after --out"},
        BadLine{"PropertyWithoutValue", "IN -s format", "missing value after -s format"},
        BadLine{"RepeatedFormat", "-s format jpeg -s format png IN", "format given more than once"},
        BadLine{"RepeatedDpi", "-s dpiWidth 72 -s dpiWidth 96 -s format jpeg IN",
                "dpiWidth given more than once"},
        BadLine{"RepeatedOut", "-s format png IN --out OUT --out OUT", "out given more than once"},
        BadLine{"TwoInputs", "-s format jpeg IN other.jpg", "more than one input file"},
        BadLine{"NoFormat", "IN --out OUT", "missing -s format"},
        BadLine{"NoInput", "-s format jpeg", "no input file", "sips"},
        BadLine{"MissingInput", "-s format png GONE --out OUT", "the picture is missing", "GONE"},
        BadLine{"MissingOutputFolder", "-s format png IN --out /nonexistent-folder/out.png",
                "output folder /nonexistent-folder does not exist", "/nonexistent-folder/out.png"}),
    rowName);

struct BrokenInput : Row {
    const char* sample;  // made by make_pictures.py or make_hostile_pictures.py
    double keptFraction; // truncated to this share of its bytes
    const char* reason;
    // Whether every command refuses it: a copy in its own format is made without decoding the
    // scan, so only step 1 finds damage inside it.
    bool everyStep = false;
};

class UndecodableInput : public ::testing::TestWithParam<BrokenInput> {};

// Bombs are refused from their header, before any buffer is sized from it; damaged scans are
// refused rather than filled with grey. Every kind is told by its content, not its name.
TEST_P(UndecodableInput, LeavesTheInputByteForByteAndNothingBehind) {
    const BrokenInput& broken = GetParam();
    TemporaryFolder folder;
    const fs::path input = folder / "picture.jp2";
    copySample(broken.sample, input);
    std::string bytes = fileBytes(input);
    bytes.resize(static_cast<std::size_t>(bytes.size() * broken.keptFraction));
    std::ofstream(input, std::ios::binary | std::ios::trunc) << bytes;

    for (const char* line : {"-s format jpeg IN -s dpiHeight 300 -s dpiWidth 300",
                             "-s format png IN --out OUT", "-s format jp2 IN --out OUT"}) {
        SCOPED_TRACE(line);
        if (!broken.everyStep && std::string_view(line).find("jp2") == std::string_view::npos)
            continue;
        expectOneErrorLine(sips(expand(line, {{"IN", input}, {"OUT", folder / "picture.out"}})),
                           input.string(), broken.reason);
        EXPECT_EQ(fileBytes(input), bytes);
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"picture.jp2"});
    }
}

constexpr const char* tooLarge =
    "picture too large: .* pixels \\(the limit is 250 megapixels and 65535 pixels a side\\)\n";
constexpr const char* tooSmall =
    "file far too small for the 15000x15000 pixels it claims \\(truncated or damaged\\)\n";

INSTANTIATE_TEST_SUITE_P(
    Inputs, UndecodableInput,
    ::testing::Values(
        BrokenInput{"TruncatedJpeg", "photo.jpg", 0.6,
                    "Premature end of JPEG file|truncated JPEG file", true},
        BrokenInput{"TruncatedPng", "alpha.png", 0.5,
                    "ends early \\(truncated\\)|truncated PNG file", true},
        BrokenInput{"TruncatedJpeg2000", "photo.jp2", 0.5, "truncated or damaged", true},
        BrokenInput{"TruncatedTiff", "picture.tif", 0.3, "TIFF", true},
        // Cut in a later band of rows, decoded while earlier ones are being encoded.
        BrokenInput{"PngCutInALaterBand", "large.png", 0.8, "ends early|truncated PNG file", true},
        BrokenInput{"JpegCutInALaterBand", "large.jpg", 0.8,
                    "Premature end of JPEG file|scan data stops before the end", true},
        BrokenInput{"Text", "text.txt", 1, "not a picture this tool reads", true},
        BrokenInput{"ScanCutShort", "cut-scan.jpg", 1, "Corrupt JPEG data: premature end of data"},
        BrokenInput{"ProgressionCutShort", "cut-progression.jpg", 1, "progressive scans missing"},
        BrokenInput{"MoreThanAThousandScans", "2688-scans.jpg", 1, "more than 1000 scans"},
        BrokenInput{"JpegBomb", "bomb.jpg", 1, "65500x65500 pixels", true},
        BrokenInput{"ProgressiveJpegBomb", "bomb-progressive.jpg", 1, tooLarge, true},
        BrokenInput{"JpegBombUnderTheLimit", "bomb-under-limit.jpg", 1, tooSmall, true},
        BrokenInput{"InterlacedPngBomb", "bomb.png", 1, tooLarge, true},
        BrokenInput{"InterlacedPngBombUnderTheLimit", "bomb-under-limit.png", 1, tooSmall, true},
        BrokenInput{"TiledTiffBomb", "bomb.tif", 1, tooLarge, true},
        BrokenInput{"TiledTiffBombUnderTheLimit", "bomb-under-limit.tif", 1, tooSmall, true},
        BrokenInput{"CodestreamBomb", "bomb.j2k", 1, tooLarge, true},
        BrokenInput{"CodestreamBombUnderTheLimit", "bomb-under-limit.j2k", 1, tooSmall, true},
        BrokenInput{"TiffWithoutPhotometric", "no-photometric.tif", 1,
                    "TIFF without a photometric interpretation\n"}),
    rowName);

TEST(ScanLimit, LeavesValidPicturesBelowItAlone) {
    TemporaryFolder folder;
    copySample("896-scans.jpg", folder / "scans.jpg");
    const RunResult result =
        sips({"-s", "format", "png", folder / "scans.jpg", "--out", folder / "scans.png"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(pillow("psnr", folder / "scans.jpg", folder / "scans.png"), "inf");
}

// 65535 pixels, the most a JPEG frame records, is the largest side taken through the whole
// chain, although libjpeg writes no JPEG that wide; one more is refused from the header.
TEST(SideLimit, TakesExactly65535Pixels) {
    TemporaryFolder folder;
    for (const char* sample : {"side-65535.png", "side-65535.tif"}) {
        SCOPED_TRACE(sample);
        const fs::path input = folder / sample;
        copySample(sample, input);
        const fs::path jp2 = folder / "scratch.jp2";
        RunResult result = sips({"-s", "format", "jp2", input, "--out", jp2});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        result =
            sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        result = sips({"-s", "format", "png", jp2, "--out", folder / "copy.png"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(pillow("same-samples", input, folder / "copy.png"), "yes");
        EXPECT_EQ(exifTool(folder / "copy.png").at("PNG-pHYs:PixelsPerUnitX"), "11811");
    }
    for (const char* sample : {"side-65536.png", "side-65536.tif"}) {
        SCOPED_TRACE(sample);
        const fs::path input = folder / sample;
        copySample(sample, input);
        expectOneErrorLine(sips({"-s", "format", "jp2", input, "--out", folder / "refused.jp2"}),
                           input.string(), "picture too large: 65536x1 pixels");
        EXPECT_FALSE(fs::exists(folder / "refused.jp2"));
    }
}

// The program claims the intermediate's name with an empty file; when the first step fails, the
// next two must point at that failure rather than at an empty file.
TEST(FailedFirstStep, LeavesTheNextStepsAClearReason) {
    TemporaryFolder folder;
    const fs::path source = folder / "notes.txt";
    copySample("text.txt", source);
    const fs::path scratch = folder / ".scratch.jp2";
    std::ofstream{scratch};
    expectOneErrorLine(sips({"-s", "format", "jp2", source, "--out", scratch}), source.string(),
                       "not a picture this tool reads");
    for (const std::vector<std::string>& step :
         {std::vector<std::string>{"-s", "format", "jpeg", scratch, "-s", "dpiHeight", "72"},
          std::vector<std::string>{"-s", "format", "png", scratch, "--out", folder / "out.png"}}) {
        const RunResult result = sips(step);
        expectOneErrorLine(result, scratch.string(),
                           "no picture: the file holds no data \\(an earlier step may have failed");
        EXPECT_EQ(result.err.find("empty"), std::string::npos) << result.err;
    }
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{".scratch.jp2", "notes.txt"}));
}

// The JPEG 2000 coder is a module beside the executable, loaded by the first step only: without
// it that step fails with the reason, and the steps that read the intermediate still work.
TEST(CoderModule, MissingFailsTheFirstStepClearlyAndNoOtherStep) {
    TemporaryFolder folder;
    ASSERT_EQ(makeIntermediate(folder, "alpha.png").exitCode, 0);
    const fs::path lone = folder / "lone" / "sips";
    fs::create_directory(lone.parent_path());
    fs::copy_file(SIPS_EXECUTABLE, lone);
    expectOneErrorLine(
        run({lone, "-s", "format", "jp2", folder / "alpha.png", "--out", folder / "again.jp2"}),
        "sips", "cannot load the JPEG 2000 coder: .*/lone/sips-htj2k\\.so");
    EXPECT_FALSE(fs::exists(folder / "again.jp2"));

    const fs::path scratch = folder / "scratch.jp2";
    const RunResult resolution = run(
        {lone, "-s", "format", "jpeg", scratch, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
    EXPECT_EQ(resolution.exitCode, 0) << resolution.err;
    const RunResult copy =
        run({lone, "-s", "format", "png", scratch, "--out", folder / "copy.png"});
    EXPECT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_EQ(exifTool(folder / "copy.png").at("PNG-pHYs:PixelsPerUnitX"), "11811");
}

// A picture replaced by a FIFO after the program listed the folder: opening a FIFO waits for a
// writer, so the tool runs under `timeout` to fail rather than hang should it try.
TEST(SpecialFile, GivenAsInputIsRefusedAtOnce) {
    TemporaryFolder folder;
    const fs::path fifo = folder / "photo.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, folder / "link.jpg");
    struct Case {
        fs::path input;
        const char* format;
        const char* reason;
    };
    for (const Case& special : {Case{fifo, "jp2", "is a FIFO, not a picture file"},
                                Case{folder / "link.jpg", "png", "is a FIFO, not a picture file"},
                                Case{"/dev/zero", "jpeg", "is a device, not a picture file"}}) {
        SCOPED_TRACE(special.input);
        const RunResult result = run({"timeout", "20", SIPS_EXECUTABLE, "-s", "format",
                                      special.format, special.input, "--out", folder / "out"});
        expectOneErrorLine(result, special.input.string(), special.reason);
    }
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"link.jpg", "photo.jpg"}));
}

TEST(SpecialFile, ALinkToAPictureIsFollowed) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    fs::create_symlink(folder / "photo.jpg", folder / "link.jpg");
    const RunResult result =
        sips({"-s", "format", "jp2", folder / "link.jpg", "--out", folder / "out.jp2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(pillow("psnr", folder / "photo.jpg", folder / "out.jp2"), "inf");
}

TEST(FileName, WithControlCharactersIsPrintedEscapedOnOneLine) {
    TemporaryFolder folder;
    const fs::path input = folder / "two\nlines\tand\x1b[31mred.jpg";
    copySample("text.txt", input);
    const std::string printed = (folder / "two\\nlines\\tand\\x1b[31mred.jpg").string();
    expectOneErrorLine(sips({"-s", "format", "png", input}), printed, "not a picture");
}

TEST(CommandLine, HelpPrintsTheAcceptedSyntax) {
    const RunResult result = sips({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find(
                  "sips -s format jp2|jpeg|png [-s dpiHeight N] [-s dpiWidth N] [--out FILE] FILE"),
              std::string::npos);
    EXPECT_NE(result.out.find("A TIFF with CMYK ink or several pages is not\ncarried"),
              std::string::npos);
    EXPECT_NE(result.out.find("Pictures over 250 megapixels or 65535 pixels a side"),
              std::string::npos);
}

} // namespace
} // namespace sips_test
