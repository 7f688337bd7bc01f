// Every refused command line and every undecodable input: one clear line, a non-zero status, the
// input untouched and nothing written.
#include "sips_harness.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace sips_test {
namespace {

// Splits a command line at spaces, replacing the placeholders it may hold.
std::vector<std::string> expand(const std::string& line,
                                const std::map<std::string, std::string>& placeholders) {
    std::vector<std::string> arguments;
    std::istringstream words(line);
    for (std::string word; words >> word;)
        arguments.push_back(placeholders.contains(word) ? placeholders.at(word) : word);
    return arguments;
}

struct BadLine {
    const char* arguments; // split at spaces; IN: the input picture, OUT: an output, GONE: no file,
                           // FIFO: a FIFO
    const char* reason;    // a regular expression
    const char* named = "IN"; // the file the message names, or "sips" when there is none
};

// Opening a FIFO waits for a writer: the tool runs under `timeout` to fail rather than hang should
// it try.
TEST(BadCommandLine, IsRefusedWithoutWritingAnything) {
    const BadLine lines[] = {
        {"-s format gif IN", "unknown format 'gif'"},
        {"-s format jpeg IN -s dpiHeight 0", "dpiHeight must be .* 65535"},
        {"-s format jpeg IN -s dpiWidth 65536", "dpiWidth must be a whole"},
        {"-s format jpeg IN -s dpiWidth 72.5", "not '72.5'"},
        {"-s format jpeg IN --bogus", "unknown option '--bogus'"},
        {"-s quality 90 -s format jpeg IN", "unknown property 'quality'"},
        {"-s format png IN --out", "missing value after --out"},
        {"IN -s format", "missing value after -s format"},
        {"-s format jpeg -s format png IN", "format given more than once"},
        {"-s format jpeg IN other.jpg", "more than one input file"},
        {"IN --out OUT", "missing -s format"},
        {"-s format jpeg", "no input file", "sips"},
        {"-s format png GONE --out OUT", "the picture is missing", "GONE"},
        {"-s format png IN --out /nonexistent-folder/out.png",
         "output folder /nonexistent-folder does not exist", "/nonexistent-folder/out.png"},
        // As when a picture is replaced after the program listed the folder.
        {"-s format png FIFO --out OUT", "is a FIFO, not a picture file", "FIFO"},
        {"-s format png /dev/zero --out OUT", "is a device, not a picture file", "/dev/zero"}};
    for (const BadLine& line : lines) {
        SCOPED_TRACE(line.arguments);
        TemporaryFolder folder;
        const fs::path input = folder / "photo.jpg";
        copySample("photo.jpg", input);
        ASSERT_EQ(::mkfifo((folder / "fifo.jpg").c_str(), 0600), 0);
        const std::string before = fileBytes(input);
        const std::map<std::string, std::string> placeholders{{"IN", input},
                                                              {"OUT", folder / "out.png"},
                                                              {"GONE", folder / "gone.jpg"},
                                                              {"FIFO", folder / "fifo.jpg"},
                                                              {"SIPS", SIPS_EXECUTABLE}};
        expectOneErrorLine(
            run(expand("timeout 20 SIPS " + std::string(line.arguments), placeholders)),
            expand(line.named, placeholders)[0], line.reason);
        EXPECT_EQ(fileBytes(input), before);
        EXPECT_EQ(folderEntries(folder.path()),
                  (std::vector<std::string>{"fifo.jpg", "photo.jpg"}));
    }
}

struct BrokenInput {
    const char* sample;  // made by make_pictures.py or make_hostile_pictures.py
    double keptFraction; // truncated to this share of its bytes
    const char* reason;
    // Whether every command refuses it: a copy in its own format is made without decoding the
    // scan, so only step 1 finds damage inside it.
    bool everyStep = true;
};

// Bombs are refused from their header, before any buffer is sized from it; damaged scans are
// refused rather than filled with grey. Every kind is told by its content, not its name.
TEST(UndecodableInput, LeavesTheInputByteForByteAndNothingBehind) {
    const std::string tooLarge =
        "picture too large: .* pixels \\(the limit is 250 megapixels and 65535 pixels a side\\)\n";
    const std::string tooSmall =
        "file far too small for the 15000x15000 pixels it claims \\(truncated or damaged\\)\n";
    const BrokenInput inputs[] = {
        {"photo.jpg", 0.6, "Premature end of JPEG file|truncated JPEG file"},
        {"alpha.png", 0.5, "ends early \\(truncated\\)|truncated PNG file"},
        {"photo.jp2", 0.5, "truncated or damaged"},
        {"picture.tif", 0.3, "TIFF"},
        // Cut in a later band of rows, decoded while earlier ones are being encoded.
        {"large.png", 0.8, "ends early|truncated PNG file"},
        {"large.jpg", 0.8, "Premature end of JPEG file|scan data stops before the end"},
        {"text.txt", 1, "not a picture this tool reads"},
        {"cut-scan.jpg", 1, "Corrupt JPEG data: premature end of data", false},
        {"cut-progression.jpg", 1, "progressive scans missing", false},
        {"2688-scans.jpg", 1, "more than 1000 scans", false},
        {"bomb.jpg", 1, "65500x65500 pixels"},
        {"bomb-progressive.jpg", 1, tooLarge.c_str()},
        {"bomb-under-limit.jpg", 1, tooSmall.c_str()},
        {"bomb.png", 1, tooLarge.c_str()},
        {"bomb-under-limit.png", 1, tooSmall.c_str()},
        {"bomb.tif", 1, tooLarge.c_str()},
        {"bomb-under-limit.tif", 1, tooSmall.c_str()},
        {"bomb.j2k", 1, tooLarge.c_str()},
        {"bomb-under-limit.j2k", 1, tooSmall.c_str()},
        {"no-photometric.tif", 1, "TIFF without a photometric interpretation\n", false},
        {"side-65536.png", 1, "picture too large: 65536x1 pixels", false},
        {"badcrc.png", 1, "CRC"}};
    for (const BrokenInput& broken : inputs) {
        SCOPED_TRACE(broken.sample);
        TemporaryFolder folder;
        const fs::path input = folder / "picture.jp2";
        copySample(broken.sample, input);
        std::string bytes = fileBytes(input);
        bytes.resize(static_cast<std::size_t>(bytes.size() * broken.keptFraction));
        std::ofstream(input, std::ios::binary | std::ios::trunc) << bytes;
        for (const std::string step : {"in place", "picture.png", "out.jp2"}) {
            if (!broken.everyStep && step != "out.jp2")
                continue;
            SCOPED_TRACE(step);
            const RunResult result =
                step == "in place" ? recordResolution(input) : convert(input, folder / step);
            expectOneErrorLine(result, input.string(), broken.reason);
            EXPECT_EQ(fileBytes(input), bytes);
            EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"picture.jp2"});
        }
    }
}

// 65535 pixels, the most a JPEG frame records, is the largest side taken through the whole chain,
// although libjpeg writes no JPEG that wide (one more is refused from the header).
TEST(SideLimit, TakesExactly65535Pixels) {
    TemporaryFolder folder;
    const fs::path input = folder / "side-65535.png";
    copySample("side-65535.png", input);
    RunResult result = makeRecordedIntermediate(input, folder / "scratch.jp2");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    result = convert(folder / "scratch.jp2", folder / "copy.png");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(pillow("same-samples", input, folder / "copy.png"), "yes");
    EXPECT_EQ(exifTool(folder / "copy.png").at("PNG-pHYs:PixelsPerUnitX"), "11811");
}

// The program claims the intermediate's name with an empty file; when the first step fails, the
// next two must point at that failure rather than at an empty file. A name with control characters
// is printed escaped, on one line.
TEST(FailedFirstStep, LeavesTheNextStepsAClearReason) {
    TemporaryFolder folder;
    const std::string name = "two\nlines\tand\x1b[31mred.txt";
    copySample("text.txt", folder / name);
    const fs::path scratch = folder / ".scratch.jp2";
    std::ofstream{scratch};
    expectOneErrorLine(convert(folder / name, scratch),
                       (folder / "two\\nlines\\tand\\x1b[31mred.txt").string(),
                       "not a picture this tool reads");
    for (const RunResult& result :
         {recordResolution(scratch), convert(scratch, folder / "out.png")}) {
        expectOneErrorLine(result, scratch.string(),
                           "no picture: the file holds no data \\(an earlier step may have failed");
        EXPECT_EQ(result.err.find("empty"), std::string::npos) << result.err;
    }
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{".scratch.jp2", name}));
}

// The JPEG 2000 coder is a module beside the executable: without it the first step fails with
// the reason.
TEST(CoderModule, MissingFailsTheFirstStepClearly) {
    TemporaryFolder folder;
    copySample("alpha.png", folder / "alpha.png");
    fs::copy_file(SIPS_EXECUTABLE, folder / "sips");
    expectOneErrorLine(run({folder / "sips", "-s", "format", "jp2", folder / "alpha.png", "--out",
                            folder / "again.jp2"}),
                       "sips", "cannot load the JPEG 2000 coder: .*/sips-htj2k\\.so");
    EXPECT_FALSE(fs::exists(folder / "again.jp2"));
}

} // namespace
} // namespace sips_test
