// The four command lines the application sends, run on each kind of picture it may meet: the
// copies hold the source's samples and the intermediates are honest files of their formats.
#include "sips_harness.h"

#include <cmath>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Sample {
    const char* name;
    const char* dpi;      // given to the in-place step
    bool photoMetadata;   // an sRGB profile, orientation 6, DateTimeOriginal, an XMP title and
                          // IPTC keywords to carry
    bool pillowReadsJp2;  // Pillow decodes the JPEG 2000 to the source's very samples (not CMYK,
                          // not 16-bit, not a JPEG's own planes)
    const char* jp2Space; // the intermediate's enumerated colour space, "" for a profile instead
    bool exact = true;    // false where PNG cannot hold what the TIFF holds
};

void expectMetadata(const std::map<std::string, std::string>& tags) {
    EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), "sRGB built-in");
    EXPECT_EQ(tags.at("IFD0:Orientation"), "6");
    EXPECT_EQ(tags.at("ExifIFD:DateTimeOriginal"), "2021:06:05 14:30:00");
    EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
    if (tags.at("File:FileType") != "PNG") {
        EXPECT_EQ(tags.at("IPTC:Keywords"), "harbour");
    }
}

// Names the sample in the test's name and in failures.
void PrintTo(const Sample& sample, std::ostream* out) {
    *out << sample.name;
}

// One test per sample, so that they run side by side.
class Pipeline : public ::testing::TestWithParam<Sample> {};

INSTANTIATE_TEST_SUITE_P(Samples, Pipeline,
                         ::testing::Values(Sample{"photo.jpg", "300", true, true, ""},
                                           Sample{"progressive.jpg", "1", false, false, "18"},
                                           Sample{"grey.jpg", "1200", false, true, "17"},
                                           Sample{"cmyk.jpg", "96", false, false, "12"},
                                           Sample{"alpha.png", "300", false, true, "16"},
                                           Sample{"greyalpha.png", "150", false, true, "17"},
                                           Sample{"deep.png", "600", false, false, "16"},
                                           Sample{"palette.png", "72", false, true, "16"},
                                           Sample{"picture.tif", "300", false, true, "16"},
                                           Sample{"deepgrey.tif", "2400", false, false, "17"},
                                           Sample{"tiled16.tif", "600", false, false, "16"},
                                           Sample{"planes.tif", "150", false, true, "16"},
                                           Sample{"ink.tif", "300", false, false, "12", false},
                                           Sample{"pages.tif", "300", false, true, "16", false},
                                           // What follows the picture travels with it: the second
                                           // picture of an MPF file, its index moved with the
                                           // copy's larger header, and a motion photo's video.
                                           Sample{"pair.jpg", "300", false, false, "18"},
                                           Sample{"motion.jpg", "300", false, true, "17"}));

TEST_P(Pipeline, FourCommandLinesKeepThePictureAndRecordTheResolution) {
    const Sample& sample = GetParam();
    TemporaryFolder sourceFolder;
    TemporaryFolder outputFolder;
    const fs::path source = sourceFolder / sample.name;
    copySample(sample.name, source);
    const fs::path jp2 = outputFolder / "Harbour at dusk.jp2";
    const fs::path png = outputFolder / "Harbour at dusk.png";
    const fs::path jpg = outputFolder / "Harbour at dusk.jpg";
    const std::map<std::string, std::string> original = exifTool(source);
    const bool jpegSource = original.at("File:FileType") == "JPEG";

    RunResult step = convert(source, jp2);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const auto intermediate = exifTool(jp2);
    EXPECT_EQ(intermediate.at("File:FileType"), "JP2");
    EXPECT_EQ(run({"exiftool", "-s3", "-validate", jp2}).out, "OK\n");
    const auto space = intermediate.find("Jpeg2000:ColorSpace");
    EXPECT_EQ(space == intermediate.end() ? "" : space->second, sample.jp2Space);
    if (sample.photoMetadata)
        expectMetadata(intermediate);
    if (sample.pillowReadsJp2) {
        EXPECT_EQ(pillow("psnr", source, jp2), "inf") << "the intermediate must be lossless";
    }
    EXPECT_EQ(pillow("carry", jp2), sample.exact ? "intact" : "none");
    EXPECT_EQ(run({"opj_decompress", "-i", jp2, "-o", sourceFolder / "decoded.tif"}).exitCode, 0);

    step = recordResolution(jp2, sample.dpi);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    // A JPEG source needs no carry from here: the JPEG of step 2 already holds its data.
    EXPECT_EQ(pillow("carry", jp2), sample.exact && !jpegSource ? "intact" : "none");
    const std::string inPlace = fileBytes(jp2);
    for (const fs::path& copy : {png, jpg}) {
        step = convert(jp2, copy);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
    }
    EXPECT_EQ(fileBytes(jp2), inPlace) << "--out must leave its input alone";
    EXPECT_EQ(folderEntries(outputFolder.path()),
              (std::vector<std::string>{"Harbour at dusk.jp2", "Harbour at dusk.jpg",
                                        "Harbour at dusk.png"}));
    EXPECT_EQ(pillow("same-samples", jp2, jpg), "yes") << "JPEG data must not be coded again";
    EXPECT_EQ(pillow("carry", jpg), "none") << "a copy carries nothing";
    if (sample.exact) {
        EXPECT_EQ(pillow("same-samples", source, jpegSource ? jpg : png), "yes");
    }
    if (jpegSource) {
        EXPECT_EQ(run({"exiftool", "-s3", "-validate", jpg}).out,
                  run({"exiftool", "-s3", "-validate", source}).out);
        EXPECT_EQ(pillow("frames", jpg), pillow("frames", source));
        const std::string bytes = fileBytes(source);
        const std::size_t video = bytes.find("ftypmp42");
        EXPECT_TRUE(video == std::string::npos ||
                    fileBytes(jpg).ends_with(bytes.substr(video - 4)));
    }
    for (const fs::path& file : {jp2, png, jpg}) {
        SCOPED_TRACE(file.filename().string());
        const auto tags = exifTool(file);
        EXPECT_FALSE(tags.contains("ExifTool:Warning")) << tags.at("ExifTool:Warning");
        EXPECT_EQ(tags.at("Composite:ImageSize"), original.at("Composite:ImageSize"));
        if (tags.at("File:FileType") == "PNG") {
            const std::string perMetre =
                std::to_string(std::lround(std::stoi(sample.dpi) / 0.0254));
            EXPECT_EQ(tags.at("PNG-pHYs:PixelsPerUnitX"), perMetre);
            EXPECT_EQ(tags.at("PNG-pHYs:PixelsPerUnitY"), perMetre);
            EXPECT_EQ(tags.at("PNG-pHYs:PixelUnits"), "1");
        } else {
            for (const char* tag :
                 {"JFIF:XResolution", "JFIF:YResolution", "IFD0:XResolution", "IFD0:YResolution"})
                EXPECT_EQ(tags.at(tag), sample.dpi) << tag;
            EXPECT_EQ(tags.at("JFIF:ResolutionUnit"), "1");
            EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
        }
        EXPECT_EQ(pillow("dpi", file), sample.dpi + (" " + std::string(sample.dpi)));
        // The reference is composited on white where the output has no alpha.
        const std::string psnr = pillow("psnr", source, file);
        EXPECT_TRUE(psnr == "inf" || std::stod(psnr) >= 40.0) << psnr;
        if (sample.photoMetadata) {
            expectMetadata(tags);
            // The source recorded 72 dpi in XMP and a Photoshop block; neither may survive.
            EXPECT_EQ(tags.count("XMP-tiff:XResolution") + tags.count("Photoshop:XResolution"), 0u);
        }
    }
}

} // namespace
} // namespace sips_test
