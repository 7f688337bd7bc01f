// Pictures are decoded a band of rows at a time; a picture that must be decoded whole (the
// coefficients of a progressive JPEG, the rows of an interlaced PNG) and exceeds what the tool
// holds in memory, through a temporary file. Either way: the same samples, and a clear line when
// the temporary file cannot be had.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

// Each conversion decodes its input: a copy in its own format would not.
TEST(LargePicture, DecodedThroughATemporaryFileKeepsTheSamples) {
    TemporaryFolder folder;
    TemporaryFolder scratch;
    const std::string tmpdir = "export TMPDIR='" + scratch.path().string() + "'";
    // The same picture interlaced and not: the same samples make the same JPEG. A progressive
    // JPEG's coefficients, and those of one whose planes the intermediate keeps.
    const std::pair<const char*, const char*> conversions[] = {
        {"biginterlaced.png", "biginterlaced.jpg"},
        {"bigplain.png", "bigplain.jpg"},
        {"bigprogressive.jpg", "progressive.png"},
        {"bigprogressive420.jpg", "planes.jp2"}};
    for (const auto& [sample, output] : conversions) {
        copySample(sample, folder / sample);
        ASSERT_EQ(sipsAfter(tmpdir, conversion(folder / sample, folder / output)).exitCode, 0);
    }
    EXPECT_TRUE(fileBytes(folder / "biginterlaced.jpg") == fileBytes(folder / "bigplain.jpg"));
    EXPECT_EQ(pillow("psnr", folder / "bigprogressive.jpg", folder / "progressive.png"), "inf");
    EXPECT_EQ(exifTool(folder / "planes.jp2").at("Jpeg2000:ColorSpace"), "18");
    EXPECT_TRUE(folderEntries(scratch.path()).empty());
}

// Through libtiff's RGBA reader, over several bands of rows (200x700); and 896 scans, a pass over
// the picture each.
TEST(OddLayouts, KeepTheSamples) {
    for (const char* sample : {"bilevel.tif", "palette-tiles.tif", "896-scans.jpg"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        copySample(sample, folder / sample);
        const RunResult result = convert(folder / sample, folder / "copy.png");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(pillow("psnr", folder / sample, folder / "copy.png"), "inf");
    }
}

TEST(LargePicture, SaysWhyItHasNoTemporaryFile) {
    const std::pair<const char*, const char*> reasons[] = {
        {"export TMPDIR=/nonexistent-folder",
         "cannot create a temporary file in /nonexistent-folder: No such file or directory"},
        // Files of 10 MB at most: a colour's coefficients take 48, the interlaced rows 144.
        {"ulimit -f 20000", "cannot write a temporary file: File too large"}};
    const std::tuple<const char*, const char*, const char*> samples[] = {
        {"bigprogressive.jpg", "JPEG", "out.png"},
        {"bigprogressive420.jpg", "JPEG", "out.jp2"},
        {"biginterlaced.png", "PNG", "out.jpg"}};
    for (const auto& [sample, kind, output] : samples) {
        for (const auto& [shell, reason] : reasons) {
            SCOPED_TRACE(std::string(sample) + ": " + shell);
            TemporaryFolder folder;
            const fs::path input = folder / sample;
            copySample(sample, input);
            EXPECT_EQ(sipsAfter(shell, conversion(input, folder / output)).err,
                      "sips: error: " + input.string() + ": cannot decode " + kind +
                          " data: " + reason + "\n");
            EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{sample});
        }
    }
}

} // namespace
} // namespace sips_test
