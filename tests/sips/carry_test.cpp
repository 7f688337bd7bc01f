// Intermediates whose carried source was changed, cut short, forged or taken from another picture:
// every such copy is made from the intermediate's own image instead, with a warning. A codestream
// that cannot be decoded any more is the one case the carry still makes the copy.
#include "sips_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Tampering : Row {
    const char* sample;
    bool afterStepTwo;   // tamper with the JPEG of step 2, else with the JP2 of step 1
    const char* edit;    // what tamper.py does
    const char* other;   // the picture whose carry is swapped in, or ""
    const char* warning; // part of the warning
};

class TamperedIntermediate : public ::testing::TestWithParam<Tampering> {};

TEST_P(TamperedIntermediate, FallsBackToAValidCopyAndLeavesNothingBehind) {
    const Tampering& row = GetParam();
    TemporaryFolder folder;
    const fs::path source = folder / row.sample;
    copySample(row.sample, source);
    const fs::path jp2 = folder / "scratch.jp2";
    const fs::path other = folder / "other.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", source, "--out", jp2}).exitCode, 0);
    if (*row.other != '\0') {
        copySample(row.other, folder / row.other);
        ASSERT_EQ(sips({"-s", "format", "jp2", folder / row.other, "--out", other}).exitCode, 0);
        if (row.afterStepTwo) {
            ASSERT_EQ(recordResolution(other).exitCode, 0);
        }
    }
    if (!row.afterStepTwo)
        tamper(row.edit, jp2, other);
    RunResult step = recordResolution(jp2);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    if (row.afterStepTwo) {
        tamper(row.edit, jp2, other);
    } else {
        EXPECT_EQ(step.err.rfind("sips: warning: ", 0), 0u) << step.err;
        EXPECT_NE(step.err.find(row.warning), std::string::npos) << step.err;
    }

    const fs::path copy = copyOf(folder, row.sample);
    step = makeCopy(jp2, copy);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    if (row.afterStepTwo) {
        EXPECT_NE(step.err.find(row.warning), std::string::npos) << step.err;
    }
    EXPECT_EQ(std::count(step.err.begin(), step.err.end(), '\n'), row.afterStepTwo ? 1 : 0);

    EXPECT_EQ(pillow("same-samples", source, copy), "no") << "made from the intermediate";
    EXPECT_GE(std::stod(pillow("psnr", source, copy)), 40.0);
    EXPECT_EQ(pillow("dpi", copy), "300 300");
    std::vector<std::string> expected{"copy" + copy.extension().string(), row.sample,
                                      "scratch.jp2"};
    if (*row.other != '\0') {
        expected.insert(expected.end(), {"other.jp2", row.other});
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderEntries(folder.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TamperedIntermediate,
    ::testing::Values(
        Tampering{"Jp2ImageEdited", "photo.jpg", false, "image", "", "other image data"},
        Tampering{"Jp2CarryCut", "photo.jpg", false, "truncate", "", "header is damaged"},
        Tampering{"Jp2CarryForged", "alpha.png", false, "forge", "", "source is damaged"},
        // A PNG whose chunks still decode as before: only its digest tells the change.
        Tampering{"Jp2CarryCrcForged", "large.png", false, "forge-crc", "", "source is damaged"},
        Tampering{"Jp2ImageEditedUnderPng", "alpha.png", false, "image", "", "other image data"},
        Tampering{"Jp2CarryForgedOverPlanes", "planes420.jpg", false, "forge", "",
                  "source is damaged"},
        Tampering{"Jp2CarryOfAnother", "alpha.png", false, "swap", "palette.png",
                  "other image data"},
        Tampering{"JpegImageEdited", "alpha.png", true, "image", "", "other image data"},
        Tampering{"JpegCarryCut", "large.png", true, "truncate", "", "incomplete"},
        Tampering{"JpegCarryForged", "large.png", true, "forge", "", "source is damaged"},
        Tampering{"JpegCarryOfAnother", "alpha.png", true, "swap", "palette.png",
                  "other image data"}),
    rowName);

// The intermediate of the sample, its codestream damaged beyond decoding.
class DamagedCodestream : public ::testing::TestWithParam<SampleRow> {
protected:
    void SetUp() override {
        ASSERT_EQ(makeIntermediate(folder, GetParam().sample).exitCode, 0);
        tamper("codestream", jp2);
    }

    TemporaryFolder folder;
    const fs::path jp2 = folder / "scratch.jp2";
};

// Coded data that cannot be decoded is no edit of the picture: the carry, intact in itself, still
// makes the exact copy, with a warning.
TEST_P(DamagedCodestream, UnderAnIntactCarryStillGivesTheExactCopy) {
    const std::string sample = GetParam().sample;
    const fs::path source = folder / sample;
    ASSERT_NE(run({"opj_decompress", "-i", jp2.string(), "-o", (folder / "decoded.png").string()})
                  .exitCode,
              0)
        << "the damage must make the codestream undecodable";
    fs::remove(folder / "decoded.png");

    RunResult step = recordResolution(jp2);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_NE(step.err.find("image cannot be decoded"), std::string::npos) << step.err;
    EXPECT_NE(step.err.find("made from the source it carries"), std::string::npos) << step.err;
    const fs::path copy = copyOf(folder, sample);
    step = makeCopy(jp2, copy);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    EXPECT_EQ(pillow("same-samples", source, copy), "yes");
    EXPECT_EQ(pillow("dpi", copy), "300 300");
}

// Without the carry nothing can stand in for the damaged codestream: one clear failure, and the
// intermediate is left as it was.
TEST_P(DamagedCodestream, WithoutTheCarryFailsClearly) {
    tamper("drop", jp2);
    const std::string before = fileBytes(jp2);

    expectOneErrorLine(recordResolution(jp2), jp2.string(),
                       "^sips: error: .*: cannot decode JPEG 2000 data");
    EXPECT_TRUE(fileBytes(jp2) == before) << "the intermediate changed";
}

INSTANTIATE_TEST_SUITE_P(Sources, DamagedCodestream,
                         ::testing::Values(SampleRow{"Png", "large.png"},
                                           SampleRow{"Jpeg", "photo.jpg"},
                                           SampleRow{"JpegPlanes", "planes420.jpg"}),
                         rowName);

} // namespace
} // namespace sips_test
