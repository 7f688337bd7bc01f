// The resolution the in-place step records is read back exactly, in every place readers look.
#include "sips_harness.h"

#include <cmath>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

class Resolution : public ::testing::TestWithParam<int> {};

TEST_P(Resolution, IsRecordedExactlyAndCarriedToPngAndJpeg) {
    const std::string dpi = std::to_string(GetParam());
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const fs::path jp2 = folder / "photo.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", folder / "photo.jpg", "--out", jp2}).exitCode, 0);
    const RunResult step =
        sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", dpi, "-s", "dpiWidth", dpi});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    ASSERT_EQ(sips({"-s", "format", "png", jp2, "--out", folder / "photo.png"}).exitCode, 0);
    ASSERT_EQ(sips({"-s", "format", "jpeg", jp2, "--out", folder / "final.jpg"}).exitCode, 0);

    for (const fs::path& jpeg : {jp2, folder / "final.jpg"}) {
        SCOPED_TRACE(jpeg.filename().string());
        const auto tags = exifTool(jpeg);
        EXPECT_EQ(tags.at("JFIF:XResolution"), dpi);
        EXPECT_EQ(tags.at("JFIF:YResolution"), dpi);
        EXPECT_EQ(tags.at("JFIF:ResolutionUnit"), "1");
        EXPECT_EQ(tags.at("IFD0:XResolution"), dpi);
        EXPECT_EQ(tags.at("IFD0:YResolution"), dpi);
        EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
        // The source recorded 72 in XMP and in a Photoshop block; neither may survive.
        EXPECT_EQ(tags.count("XMP-tiff:XResolution"), 0u);
        EXPECT_EQ(tags.count("Photoshop:XResolution"), 0u);
    }
    const auto png = exifTool(folder / "photo.png");
    const auto perMetre = std::to_string(std::lround(GetParam() / 0.0254));
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitX"), perMetre);
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitY"), perMetre);
    EXPECT_EQ(png.at("PNG-pHYs:PixelUnits"), "1");
    EXPECT_EQ(pillow("dpi", folder / "photo.png"), dpi + " " + dpi);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Resolution, ::testing::Values(1, 72, 96, 300, 1200, 4000));

TEST(JpegRewrite, InPlaceKeepsPixelsAndOtherMetadataButDropsOldResolutions) {
    TemporaryFolder folder;
    const fs::path photo = folder / "photo.jp2"; // JPEG data under a JPEG 2000 name
    copySample("photo.jpg", photo);
    const RunResult step =
        sips({"-s", "dpiWidth", "600", photo, "-s", "format", "jpeg", "-s", "dpiHeight", "600"});
    ASSERT_EQ(step.exitCode, 0) << step.err;

    TemporaryFolder reference;
    copySample("photo.jpg", reference / "photo.jpg");
    EXPECT_EQ(pillow("same-pixels", reference / "photo.jpg", photo), "yes");
    const auto tags = exifTool(photo);
    EXPECT_EQ(tags.at("JFIF:XResolution"), "600");
    EXPECT_EQ(tags.at("IFD0:XResolution"), "600");
    EXPECT_EQ(tags.count("Photoshop:XResolution"), 0u);
    EXPECT_EQ(tags.count("XMP-tiff:XResolution"), 0u);
    EXPECT_EQ(tags.at("IPTC:Keywords"), "harbour");
    EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
    EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), "Adobe RGB (1998)");
    EXPECT_EQ(tags.at("IFD0:Orientation"), "6");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"photo.jp2"});
}

} // namespace
} // namespace sips_test
