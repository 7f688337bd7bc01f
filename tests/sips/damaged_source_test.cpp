// Pictures that the codecs read whole but whose structure does not add up, as many cameras and
// tools write them: stray bytes between a JPEG's segments, a PNG without its end chunk or with a
// damaged ancillary chunk. The copy the chain makes is still the source's picture, exactly, with
// the new resolution, and the tool says what it did.
#include "sips_harness.h"

#include <fstream>
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
        const fs::path copy = copyOf(folder, row.sample);
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

// Restart markers are kept at the interval the source set, and a file given straight to the
// tool is copied by its coefficients as one carried in an intermediate is.
TEST(DamagedSource, JpegKeepsItsRestartInterval) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const fs::path restarts = folder / "restarts.jpg";
    ASSERT_EQ(run({JPEG_JUDGE, "restart", "5", folder / "photo.jpg", restarts}).exitCode, 0);
    std::string bytes = fileBytes(restarts);
    const std::size_t afterJfif = 4 + ((std::size_t{static_cast<unsigned char>(bytes[4])} << 8) |
                                       static_cast<unsigned char>(bytes[5]));
    bytes.insert(afterJfif, std::string("\0\x07\0", 3));
    const fs::path source = folder / "source.jpg";
    std::ofstream(source, std::ios::binary) << bytes;

    const fs::path copy = folder / "copy.jpg";
    const RunResult step = convert(source, copy, "300");
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "sips: warning: " + source.string() +
                            ": damaged or truncated JPEG file: data where a marker belongs; the "
                            "copy was coded anew from the same coefficients, without loss\n");
    const std::string coded = coefficients(copy);
    EXPECT_NE(coded.find("restart 5 "), std::string::npos) << coded.substr(0, 60);
    EXPECT_TRUE(coded == coefficients(restarts));
    EXPECT_EQ(pillow("dpi", copy), "300 300");
}

} // namespace
} // namespace sips_test
