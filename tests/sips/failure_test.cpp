// Every refused command line and every undecodable input: one clear line, a non-zero status, the
// input untouched and nothing written.
#include "sips_harness.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct BadLine {
    const char* name;
    std::vector<std::string> arguments; // IN stands for the input picture, OUT for an output file
    const char* reason;
    const char* named = "IN"; // the file the message names: IN, or "sips" when there is none
};

void PrintTo(const BadLine& line, std::ostream* out) {
    *out << line.name;
}

void expectOneErrorLine(const RunResult& result, const std::string& file,
                        const std::string& reason) {
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.rfind("sips: error: " + file + ": ", 0), 0u) << result.err;
    // Alternatives are separated by '|': a file may fail in its metadata or in its pixels first.
    bool found = false;
    for (std::size_t start = 0; start <= reason.size();) {
        const std::size_t end = std::min(reason.find('|', start), reason.size());
        found = found || result.err.find(reason.substr(start, end - start)) != std::string::npos;
        start = end + 1;
    }
    EXPECT_TRUE(found) << result.err;
}

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, IsRefusedWithoutWritingAnything) {
    TemporaryFolder folder;
    const fs::path input = folder / "photo.jpg";
    copySample("photo.jpg", input);
    const std::string before = fileBytes(input);
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().arguments) {
        arguments.push_back(argument == "IN"    ? input.string()
                            : argument == "OUT" ? (folder / "out.png").string()
                                                : argument);
    }

    const std::string named = GetParam().named;
    expectOneErrorLine(sips(arguments), named == "IN" ? input.string() : named, GetParam().reason);
    EXPECT_EQ(fileBytes(input), before);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"photo.jpg"});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadCommandLine,
    ::testing::Values(
        BadLine{"UnknownFormat", {"-s", "format", "gif", "IN"}, "unknown format 'gif'"},
        BadLine{"ZeroDpi",
                {"-s", "format", "jpeg", "IN", "-s", "dpiHeight", "0"},
                "dpiHeight must be a whole number from 1 to 65535"},
        BadLine{"DpiBeyondJfif",
                {"-s", "format", "jpeg", "IN", "-s", "dpiWidth", "65536"},
                "dpiWidth must be a whole number"},
        BadLine{"FractionalDpi",
                {"-s", "format", "jpeg", "IN", "-s", "dpiWidth", "72.5"},
                "not '72.5'"},
        BadLine{"NegativeDpi", {"-s", "format", "jpeg", "IN", "-s", "dpiHeight", "-3"}, "not '-3'"},
        BadLine{
            "UnknownOption", {"-s", "format", "jpeg", "IN", "--bogus"}, "unknown option '--bogus'"},
        BadLine{"UnknownProperty",
                {"-s", "quality", "90", "-s", "format", "jpeg", "IN"},
                "unknown property 'quality'"},
        BadLine{
            "OutWithoutFile", {"-s", "format", "png", "IN", "--out"}, "missing value after --out"},
        BadLine{"PropertyWithoutValue", {"IN", "-s", "format"}, "missing value after -s format"},
        BadLine{"RepeatedFormat",
                {"-s", "format", "jpeg", "-s", "format", "png", "IN"},
                "-s format given more than once"},
        BadLine{"RepeatedDpi",
                {"-s", "dpiWidth", "72", "-s", "dpiWidth", "96", "-s", "format", "jpeg", "IN"},
                "-s dpiWidth given more than once"},
        BadLine{"RepeatedOut",
                {"-s", "format", "png", "IN", "--out", "OUT", "--out", "OUT"},
                "--out given more than once"},
        BadLine{
            "TwoInputs", {"-s", "format", "jpeg", "IN", "other.jpg"}, "more than one input file"},
        BadLine{"NoFormat", {"IN", "--out", "OUT"}, "missing -s format"},
        BadLine{"NoInput", {"-s", "format", "jpeg"}, "no input file", "sips"},
        BadLine{"MissingOutputFolder",
                {"-s", "format", "png", "IN", "--out", "/nonexistent-folder/out.png"},
                "output folder /nonexistent-folder does not exist",
                "/nonexistent-folder/out.png"}),
    [](const ::testing::TestParamInfo<BadLine>& param) { return std::string(param.param.name); });

struct BrokenInput {
    const char* name;
    const char* sample;  // made from this sample picture
    double keptFraction; // truncated to this share of its bytes; 0: replaced by text
    const char* reason;
};

void PrintTo(const BrokenInput& input, std::ostream* out) {
    *out << input.name;
}

class UndecodableInput : public ::testing::TestWithParam<BrokenInput> {};

TEST_P(UndecodableInput, LeavesTheInputByteForByteAndNothingBehind) {
    const BrokenInput& broken = GetParam();
    TemporaryFolder folder;
    const fs::path input = folder / "picture.jp2";
    if (std::string(broken.sample).ends_with(".jp2")) {
        copySample("photo.jpg", folder / "photo.jpg");
        ASSERT_EQ(sips({"-s", "format", "jp2", folder / "photo.jpg", "--out", input}).exitCode, 0);
        fs::remove(folder / "photo.jpg");
    } else {
        copySample(broken.sample, input);
    }
    std::string bytes = broken.keptFraction > 0 ? fileBytes(input) : "not a picture at all\n";
    bytes.resize(static_cast<std::size_t>(bytes.size() *
                                          (broken.keptFraction > 0 ? broken.keptFraction : 1.0)));
    std::ofstream(input, std::ios::binary | std::ios::trunc) << bytes;

    const std::vector<std::vector<std::string>> lines{
        {"-s", "format", "jpeg", input, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"},
        {"-s", "format", "png", input, "--out", folder / "picture.png"},
        {"-s", "format", "jp2", input, "--out", folder / "picture.out.jp2"}};
    for (const std::vector<std::string>& line : lines) {
        SCOPED_TRACE(line[2]);
        expectOneErrorLine(sips(line), input.string(), broken.reason);
        EXPECT_EQ(fileBytes(input), bytes);
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"picture.jp2"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, UndecodableInput,
    ::testing::Values(BrokenInput{"TruncatedJpeg", "photo.jpg", 0.6,
                                  "damaged or truncated|Premature end of JPEG file"},
                      BrokenInput{"TruncatedPng", "alpha.png", 0.5, "damaged or truncated"},
                      BrokenInput{"TruncatedJpeg2000", "photo.jp2", 0.5, "damaged or truncated"},
                      BrokenInput{"TruncatedTiff", "picture.tif", 0.3, "TIFF"},
                      BrokenInput{"Text", "photo.jpg", 0, "not a picture this tool reads"}),
    [](const ::testing::TestParamInfo<BrokenInput>& param) {
        return std::string(param.param.name);
    });

TEST(CommandLine, MissingInputIsNamed) {
    TemporaryFolder folder;
    expectOneErrorLine(
        sips({"-s", "format", "png", folder / "gone.jpg", "--out", folder / "out.png"}),
        (folder / "gone.jpg").string(), "cannot open: No such file or directory");
    EXPECT_TRUE(folderEntries(folder.path()).empty());
}

TEST(CommandLine, HelpPrintsTheAcceptedSyntax) {
    const RunResult result = sips({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find(
                  "sips -s format jp2|jpeg|png [-s dpiHeight N] [-s dpiWidth N] [--out FILE] FILE"),
              std::string::npos);
}

} // namespace
} // namespace sips_test
