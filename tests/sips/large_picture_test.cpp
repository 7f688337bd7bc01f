// Pictures are decoded a band of rows at a time; a progressive picture whose coefficients exceed
// what the tool holds in memory, through a temporary file. Either way: the same samples, and a
// clear line when the temporary file cannot be had.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

RunResult toPng(const fs::path& input, const fs::path& output, const std::string& shell) {
    return run({"/bin/sh", "-c", "trap '' XFSZ; " + shell + "; exec \"$0\" \"$@\"", SIPS_EXECUTABLE,
                "-s", "format", "png", input, "--out", output});
}

TEST(LargeProgressivePicture, DecodesThroughATemporaryFileToTheSameSamples) {
    TemporaryFolder folder;
    TemporaryFolder scratch;
    const fs::path input = folder / "big.jpg";
    copySample("bigprogressive.jpg", input);
    const RunResult result =
        toPng(input, folder / "big.png", "export TMPDIR='" + scratch.path().string() + "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(pillow("psnr", input, folder / "big.png"), "inf");
    EXPECT_TRUE(folderEntries(scratch.path()).empty());
}

// 200x700: several bands of rows.
TEST(TiffInBands, ThroughLibtiffsRgbaReaderKeepsTheSamples) {
    for (const char* sample : {"bilevel.tif", "palette-tiles.tif"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        copySample(sample, folder / sample);
        const RunResult result =
            sips({"-s", "format", "png", folder / sample, "--out", folder / "copy.png"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(pillow("psnr", folder / sample, folder / "copy.png"), "inf");
    }
}

TEST(LargeProgressivePicture, SaysWhyItHasNoTemporaryFile) {
    TemporaryFolder folder;
    const fs::path input = folder / "big.jpg";
    copySample("bigprogressive.jpg", input);
    const std::map<std::string, std::string> reasons{
        {"export TMPDIR=/nonexistent-folder",
         "cannot create a temporary file in /nonexistent-folder: No such file or directory"},
        // Files of 50 MB at most: the coefficients take 144.
        {"ulimit -f 100000", "cannot write a temporary file: File too large"}};
    for (const auto& [shell, reason] : reasons) {
        SCOPED_TRACE(shell);
        const RunResult result = toPng(input, folder / "big.png", shell);
        EXPECT_EQ(result.err,
                  "sips: error: " + input.string() + ": cannot decode JPEG data: " + reason + "\n");
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"big.jpg"});
    }
}

} // namespace
} // namespace sips_test
