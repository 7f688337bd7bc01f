// Pictures that the codecs read whole but whose structure does not add up, as many cameras and
// tools write them: stray bytes between a JPEG's segments, a PNG without its end chunk or with a
// damaged ancillary chunk. The copy the chain makes is still the source's picture, exactly, with
// the new resolution, and the tool says what it did.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

// The coded picture as the tests' own libjpeg reader sees it: coding, tables and coefficients.
std::string coefficients(const fs::path& jpeg) {
    const fs::path dump = jpeg.string() + ".coefficients";
    const RunResult result = run({JPEG_JUDGE, "coefficients", jpeg, dump});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return fileBytes(dump);
}

struct ReadableDamage {
    const char* sample; // the damaged file
    const char* intact; // the file it was made from: the same picture
    const char* said;   // part of what the tool says about it
};

TEST(DamagedSource, ThroughTheChainGivesTheSamePictureWithTheNewResolution) {
    const ReadableDamage rows[] = {
        {"stray.jpg", "photo.jpg",
         "data where a marker belongs; the copy was coded anew from the same coefficients, without "
         "loss"},
        {"stray-progressive.jpg", "progressive.jpg",
         "the copy was coded anew from the same coefficients"},
        // Restart markers are kept at the interval the source set.
        {"stray-restarts.jpg", "restarts.jpg",
         "the copy was coded anew from the same coefficients"},
        {"no-end.png", "palette-alpha.png",
         "no end chunk; the copy was encoded anew from the same samples, without loss"},
        {"many-chunks.png", "palette-alpha.png",
         "left out the tEXt chunk and the ancillary chunks after it: more than the tool holds"},
        {"bad-text-crc.png", "deep.png", "left out a damaged tEXt chunk (its CRC does not match)"}};
    for (const ReadableDamage& row : rows) {
        SCOPED_TRACE(row.sample);
        TemporaryFolder folder;
        const fs::path source = folder / row.sample;
        copySample(row.sample, source);
        const fs::path jp2 = folder / "scratch.jp2";
        RunResult step = makeRecordedIntermediate(source, jp2);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        std::string said = step.err;
        const fs::path copy = folder / ("copy" + source.extension().string());
        step = convert(jp2, copy);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        said += step.err;

        EXPECT_NE(said.find(row.said), std::string::npos) << said;
        EXPECT_EQ(said.find("converting the image itself"), std::string::npos) << said;
        const fs::path intact = folder / ("intact" + copy.extension().string());
        copySample(row.intact, intact);
        EXPECT_EQ(pillow("same-samples", intact, copy), "yes");
        const std::map<std::string, std::string> tags = exifTool(copy);
        const std::map<std::string, std::string> before = exifTool(source);
        const bool png = copy.extension() == ".png";
        const auto resolutions =
            png ? std::vector{"PNG-pHYs:PixelsPerUnitX", "PNG-pHYs:PixelsPerUnitY"}
                : std::vector{"IFD0:XResolution", "IFD0:YResolution", "JFIF:XResolution",
                              "JFIF:YResolution"};
        for (const char* tag : resolutions)
            EXPECT_EQ(tags.at(tag), png ? "11811" : "300") << tag; // 300 dpi either way
        EXPECT_FALSE(tags.contains("PNG:Comment")) << "the damaged chunk";
        for (const char* tag :
             {"PNG:BitDepth", "PNG:ColorType", "PNG:Palette", "PNG:Transparency", "PNG:Title",
              "PNG:Gamma", "IFD0:Orientation", "ExifIFD:DateTimeOriginal", "XMP-dc:Title",
              "IPTC:Keywords", "ICC-header:ProfileDescription"}) {
            EXPECT_EQ(tags.contains(tag) ? tags.at(tag) : "",
                      before.contains(tag) ? before.at(tag) : "")
                << tag;
        }
        if (!png) {
            EXPECT_TRUE(coefficients(copy) == coefficients(intact));
        }
    }
}

} // namespace
} // namespace sips_test
