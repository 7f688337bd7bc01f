// Intermediates whose image or carried source was changed, cut short or forged:
// every such copy is made from the intermediate's own image instead, with a warning. A codestream
// that cannot be decoded any more is the one case the carry still makes the copy.
#include "sips_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Tampering {
    const char* sample;
    bool afterStepTwo;   // tamper with the JPEG of step 2, else with the JP2 of step 1
    const char* edit;    // what tamper.py does
    const char* warning; // part of the warning
};

TEST(TamperedIntermediate, FallsBackToAValidCopyAndLeavesNothingBehind) {
    const Tampering rows[] = {
        {"photo.jpg", false, "image", "other image data"},
        {"photo.jpg", false, "truncate", "header is damaged"},
        // A PNG whose chunks still decode as before: only its digest tells the change.
        {"large.png", false, "forge-crc", "source is damaged"},
        {"planes420.jpg", false, "forge", "source is damaged"},
        {"alpha.png", true, "image", "other image data"},
        {"large.png", true, "truncate", "incomplete"},
        {"large.png", true, "forge", "source is damaged"}};
    for (const Tampering& row : rows) {
        SCOPED_TRACE(std::string(row.sample) + " " + row.edit + (row.afterStepTwo ? " 2" : " 1"));
        TemporaryFolder folder;
        const fs::path source = folder / row.sample;
        const fs::path jp2 = folder / "scratch.jp2";
        ASSERT_EQ(makeIntermediate(folder, row.sample).exitCode, 0);
        if (!row.afterStepTwo)
            tamper(row.edit, jp2);
        RunResult step = recordResolution(jp2);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        if (row.afterStepTwo) {
            tamper(row.edit, jp2);
            EXPECT_EQ(step.err, "");
        } else {
            EXPECT_EQ(step.err.rfind("sips: warning: ", 0), 0u) << step.err;
            EXPECT_NE(step.err.find(row.warning), std::string::npos) << step.err;
        }
        const fs::path copy = folder / ("copy" + source.extension().string());
        step = convert(jp2, copy);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err.find(row.warning) != std::string::npos, row.afterStepTwo) << step.err;
        EXPECT_EQ(std::count(step.err.begin(), step.err.end(), '\n'), row.afterStepTwo ? 1 : 0);

        EXPECT_EQ(pillow("same-samples", source, copy), "no") << "made from the intermediate";
        EXPECT_GE(std::stod(pillow("psnr", source, copy)), 40.0);
        EXPECT_EQ(pillow("dpi", copy), "300 300");
        EXPECT_EQ(folderEntries(folder.path()).size(), 3u) << "the source, scratch.jp2, the copy";
    }
}

// Coded data that cannot be decoded is no edit of the picture: the carry, intact in itself, still
// makes the exact copy, with a warning. Without the carry nothing can stand in for it: one clear
// failure, and the intermediate is left as it was.
TEST(DamagedCodestream, GivesTheExactCopyUnderAnIntactCarryElseFailsClearly) {
    for (const char* sample : {"large.png", "photo.jpg", "planes420.jpg"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const fs::path jp2 = folder / "scratch.jp2";
        ASSERT_EQ(makeIntermediate(folder, sample).exitCode, 0);
        tamper("codestream", jp2);
        fs::copy_file(jp2, folder / "uncarried.jp2");

        RunResult step = recordResolution(jp2);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_NE(step.err.find("image cannot be decoded"), std::string::npos) << step.err;
        EXPECT_NE(step.err.find("made from the source it carries"), std::string::npos) << step.err;
        const fs::path copy = folder / ("copy" + fs::path(sample).extension().string());
        step = convert(jp2, copy);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
        EXPECT_EQ(pillow("same-samples", folder / sample, copy), "yes");
        EXPECT_EQ(pillow("dpi", copy), "300 300");

        const fs::path uncarried = folder / "uncarried.jp2";
        tamper("drop", uncarried);
        const std::string before = fileBytes(uncarried);
        expectOneErrorLine(recordResolution(uncarried), uncarried.string(),
                           "^sips: error: .*: cannot decode JPEG 2000 data");
        EXPECT_TRUE(fileBytes(uncarried) == before) << "the intermediate changed";
    }
}

} // namespace
} // namespace sips_test
