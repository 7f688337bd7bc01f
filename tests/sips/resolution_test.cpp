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
    // JPEG data under a JPEG 2000 name, rewritten in place with the options in another order.
    const fs::path rewritten = folder / "rewritten.jp2";
    copySample("photo.jpg", rewritten);
    ASSERT_EQ(
        sips({"-s", "dpiWidth", dpi, rewritten, "-s", "format", "jpeg", "-s", "dpiHeight", dpi})
            .exitCode,
        0);
    EXPECT_EQ(pillow("same-pixels", folder / "photo.jpg", rewritten), "yes");

    for (const fs::path& jpeg : {jp2, folder / "final.jpg", rewritten}) {
        SCOPED_TRACE(jpeg.filename().string());
        const auto tags = exifTool(jpeg);
        for (const char* tag :
             {"JFIF:XResolution", "JFIF:YResolution", "IFD0:XResolution", "IFD0:YResolution"})
            EXPECT_EQ(tags.at(tag), dpi) << tag;
        EXPECT_EQ(tags.at("JFIF:ResolutionUnit"), "1");
        EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
        // The source recorded 72 in XMP and in a Photoshop block; neither may survive.
        EXPECT_EQ(tags.count("XMP-tiff:XResolution") + tags.count("Photoshop:XResolution"), 0u);
        const std::map<std::string, std::string> kept{
            {"IPTC:Keywords", "harbour"},
            {"XMP-dc:Title", "Harbour at dusk"},
            {"IFD0:Orientation", "6"},
            {"ICC_Profile:ProfileDescription", "Adobe RGB (1998)"}};
        for (const auto& [tag, value] : kept)
            EXPECT_EQ(tags.at(tag), value) << tag;
    }
    const auto png = exifTool(folder / "photo.png");
    const auto perMetre = std::to_string(std::lround(GetParam() / 0.0254));
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitX"), perMetre);
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitY"), perMetre);
    EXPECT_EQ(png.at("PNG-pHYs:PixelUnits"), "1");
    EXPECT_EQ(pillow("dpi", folder / "photo.png"), dpi + " " + dpi);
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{"final.jpg", "photo.jp2", "photo.jpg", "photo.png",
                                        "rewritten.jp2"}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, Resolution, ::testing::Values(1, 72, 96, 300, 1200, 4000));

} // namespace
} // namespace sips_test
