// The four command lines the application sends, run on each kind of picture it may meet: the
// copies hold the source's samples and the intermediates are honest files of their formats.
#include "sips_harness.h"

#include <cmath>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Sample : Row {    // named after its file
    const char* dpi;     // given to the in-place step
    const char* profile; // ICC profile description expected throughout, "" for none
    bool
        photoMetadata; // orientation 6, DateTimeOriginal, an XMP title (and IPTC keywords) to carry
    bool pillowReadsJp2;  // Pillow decodes the JPEG 2000 to the source's very samples (not CMYK,
                          // not 16-bit, not a JPEG's own planes)
    const char* jp2Depth; // the intermediate's BitsPerComponent as stored (depth - 1)
    const char* jp2Space; // its enumerated colour space, "" when it holds a profile instead
    bool exact = true;    // false where PNG cannot hold what the TIFF holds
};

class Pipeline : public ::testing::TestWithParam<Sample> {};

void expectCarried(const Sample& sample, const std::map<std::string, std::string>& tags) {
    if (*sample.profile != '\0') {
        EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), sample.profile);
    }
    if (sample.photoMetadata) {
        EXPECT_EQ(tags.at("IFD0:Orientation"), "6");
        EXPECT_EQ(tags.at("ExifIFD:DateTimeOriginal"), "2021:06:05 14:30:00");
        EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
    }
}

void expectResolution(const fs::path& file, const std::string& dpi,
                      const std::map<std::string, std::string>& tags) {
    if (tags.at("File:FileType") == "PNG") {
        const std::string perMetre = std::to_string(std::lround(std::stoi(dpi) / 0.0254));
        EXPECT_EQ(tags.at("PNG-pHYs:PixelsPerUnitX"), perMetre);
        EXPECT_EQ(tags.at("PNG-pHYs:PixelsPerUnitY"), perMetre);
        EXPECT_EQ(tags.at("PNG-pHYs:PixelUnits"), "1");
    } else {
        for (const char* tag :
             {"JFIF:XResolution", "JFIF:YResolution", "IFD0:XResolution", "IFD0:YResolution"})
            EXPECT_EQ(tags.at(tag), dpi) << tag;
        EXPECT_EQ(tags.at("JFIF:ResolutionUnit"), "1");
        EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
    }
    EXPECT_EQ(pillow("dpi", file), dpi + " " + dpi);
}

TEST_P(Pipeline, FourCommandLinesKeepThePictureAndRecordTheResolution) {
    const Sample& sample = GetParam();
    TemporaryFolder sourceFolder;
    TemporaryFolder outputFolder;
    TemporaryFolder otherReaders;
    const fs::path source = sourceFolder / sample.name;
    copySample(sample.name, source);
    const fs::path jp2 = outputFolder / "Harbour at dusk.jp2";
    const fs::path png = outputFolder / "Harbour at dusk.png";
    const fs::path jpg = outputFolder / "Harbour at dusk.jpg";
    const std::map<std::string, std::string> original = exifTool(source);

    RunResult step = sips({"-s", "format", "jp2", source, "--out", jp2});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const auto intermediate = exifTool(jp2);
    EXPECT_EQ(intermediate.at("File:FileType"), "JP2");
    EXPECT_EQ(exifToolValidation(jp2), "OK");
    EXPECT_EQ(intermediate.at("Jpeg2000:BitsPerComponent"), sample.jp2Depth);
    const auto space = intermediate.find("Jpeg2000:ColorSpace");
    EXPECT_EQ(space == intermediate.end() ? "" : space->second, sample.jp2Space);
    expectCarried(sample, intermediate);
    if (sample.photoMetadata) {
        EXPECT_EQ(intermediate.at("IPTC:Keywords"), "harbour");
    }
    if (sample.pillowReadsJp2) {
        EXPECT_EQ(pillow("psnr", source, jp2), "inf") << "the intermediate must be lossless";
    }
    const bool jpegSource = original.at("File:FileType") == "JPEG";
    EXPECT_EQ(pillow("carry", jp2), sample.exact ? "intact" : "none");
    const fs::path decoded = otherReaders / "decoded.tif";
    EXPECT_EQ(run({"opj_decompress", "-i", jp2, "-o", decoded}).exitCode, 0);

    step = recordResolution(jp2, sample.dpi);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    // A JPEG source needs no carry from here: the JPEG of step 2 already holds its data.
    EXPECT_EQ(pillow("carry", jp2), sample.exact && !jpegSource ? "intact" : "none");
    const std::string inPlace = fileBytes(jp2);
    step = sips({"-s", "format", "png", jp2, "--out", png});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    step = sips({"-s", "format", "jpeg", jp2, "--out", jpg});
    ASSERT_EQ(step.exitCode, 0) << step.err;

    EXPECT_EQ(fileBytes(jp2), inPlace) << "--out must leave its input alone";
    EXPECT_EQ(folderEntries(outputFolder.path()),
              (std::vector<std::string>{"Harbour at dusk.jp2", "Harbour at dusk.jpg",
                                        "Harbour at dusk.png"}));
    EXPECT_EQ(pillow("same-samples", jp2, jpg), "yes") << "JPEG data must not be encoded again";
    EXPECT_EQ(pillow("carry", jpg), "none") << "a copy carries nothing";

    const fs::path copy = jpegSource ? jpg : png;
    if (sample.exact) {
        EXPECT_EQ(pillow("same-samples", source, copy), "yes");
    }
    if (jpegSource) {
        EXPECT_LT(std::abs(static_cast<long>(fs::file_size(copy)) -
                           static_cast<long>(fs::file_size(source))),
                  4096);
    }
    for (const fs::path& file : {jp2, png, jpg}) {
        SCOPED_TRACE(file.filename().string());
        const auto tags = exifTool(file);
        EXPECT_FALSE(tags.contains("ExifTool:Warning")) << tags.at("ExifTool:Warning");
        EXPECT_EQ(tags.at("Composite:ImageSize"), original.at("Composite:ImageSize"));
        expectResolution(file, sample.dpi, tags);
        // The reference is composited on white where the output has no alpha.
        const std::string psnr = pillow("psnr", source, file);
        EXPECT_TRUE(psnr == "inf" || std::stod(psnr) >= 40.0) << psnr;
        expectCarried(sample, tags);
        if (sample.photoMetadata && tags.at("File:FileType") != "PNG") {
            EXPECT_EQ(tags.at("IPTC:Keywords"), "harbour");
            // The source recorded 72 dpi in XMP and a Photoshop block; neither may survive.
            EXPECT_EQ(tags.count("XMP-tiff:XResolution") + tags.count("Photoshop:XResolution"), 0u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, Pipeline,
    ::testing::Values(Sample{"photo.jpg", "300", "sRGB built-in", true, true, "7", ""},
                      Sample{"progressive.jpg", "1", "", false, false, "7", "18"},
                      Sample{"grey.jpg", "1200", "", false, true, "7", "17"},
                      Sample{"cmyk.jpg", "96", "", false, false, "7", "12"},
                      Sample{"alpha.png", "300", "", false, true, "7", "16"},
                      Sample{"greyalpha.png", "150", "", false, true, "7", "17"},
                      Sample{"deep.png", "600", "", false, false, "15", "16"},
                      Sample{"palette.png", "72", "", false, true, "7", "16"},
                      Sample{"large.png", "4000", "", false, true, "7", "16"},
                      Sample{"picture.tif", "300", "", false, true, "7", "16"},
                      Sample{"rgba.tif", "96", "", false, true, "7", "16"},
                      Sample{"deepgrey.tif", "2400", "", false, false, "15", "17"},
                      Sample{"tiled16.tif", "600", "", false, false, "15", "16"},
                      Sample{"planes.tif", "150", "", false, true, "7", "16"},
                      Sample{"ink.tif", "300", "", false, false, "7", "12", false},
                      Sample{"pages.tif", "300", "", false, true, "7", "16", false}),
    rowName);

} // namespace
} // namespace sips_test
