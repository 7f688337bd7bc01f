// The JPEG 2000 intermediate as other readers see it: its High-Throughput codestream decodes to
// exactly the source's samples in OpenJPEG and in Pillow, whatever it holds (a JPEG's own planes:
// planes_test.cpp).
#include "sips_harness.h"

#include <gtest/gtest.h>
#include <regex>

namespace sips_test {
namespace {

struct Held : Row {
    const char* sample;
};

class Intermediate : public ::testing::TestWithParam<Held> {};

TEST_P(Intermediate, DecodesToTheSourceSamplesInOpenJpegAndPillow) {
    TemporaryFolder folder;
    const fs::path source = folder / GetParam().sample;
    copySample(GetParam().sample, source);
    const fs::path jp2 = folder / "scratch.jp2";
    const RunResult step = sips({"-s", "format", "jp2", source, "--out", jp2});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    EXPECT_EQ(pillow("jp2-readers", source, jp2), "pillow=yes openjpeg=yes");
}

INSTANTIATE_TEST_SUITE_P(
    Samples, Intermediate,
    ::testing::Values(Held{"Rgb8Jpeg", "photo.jpg"}, Held{"Grey8Jpeg", "grey.jpg"},
                      Held{"RgbAlpha8", "alpha.png"}, Held{"GreyAlpha8", "greyalpha.png"},
                      Held{"Rgb16", "deep.png"}, Held{"Grey16", "deepgrey.tif"},
                      Held{"Rgb16TiledTiff", "tiled16.tif"},
                      Held{"OddSizeBandsAndTiles", "large.png"},
                      Held{"RgbAlpha16BandsAndTiles", "wide16.png"}),
    rowName);

// Readers that cannot decode the High-Throughput block coder must be able to tell: the file type
// box lists it and every code-block style says so.
TEST(Intermediate, DeclaresTheHighThroughputCoder) {
    TemporaryFolder folder;
    copySample("wide16.png", folder / "wide16.png");
    const fs::path jp2 = folder / "scratch.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", folder / "wide16.png", "--out", jp2}).exitCode, 0);
    const auto tags = exifTool(jp2);
    EXPECT_EQ(tags.at("Jpeg2000:MajorBrand"), "jp2 ");
    EXPECT_NE(tags.at("Jpeg2000:CompatibleBrands").find("jph "), std::string::npos);
    EXPECT_EQ(exifToolValidation(jp2), "OK");

    const RunResult dump = run({"opj_dump", "-i", jp2.string()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    static const std::regex style(R"(cblksty=(0x[0-9a-f]+))");
    int styles = 0;
    for (auto match = std::sregex_iterator(dump.out.begin(), dump.out.end(), style);
         match != std::sregex_iterator(); ++match, ++styles) {
        EXPECT_EQ((*match)[1].str(), "0x40");
    }
    EXPECT_EQ(styles, 4); // one per component of the default tile
    EXPECT_NE(dump.out.find("tw=5, th=3"), std::string::npos) << dump.out;
}

} // namespace
} // namespace sips_test
