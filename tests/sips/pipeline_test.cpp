// The four command lines the application sends, run on each kind of picture it may meet.
#include "sips_harness.h"

#include <gtest/gtest.h>
#include <sstream>

namespace sips_test {
namespace {

struct Sample {
    const char* file;
    const char* profile; // ICC profile description expected throughout, "" for none
    bool photoMetadata;  // orientation 6, DateTimeOriginal and an XMP title to carry
    bool pillowReadsJp2; // Pillow decodes the JPEG 2000 in the source's mode (not CMYK, not 16-bit)
    const char* jp2Depth; // the intermediate's BitsPerComponent as stored (depth - 1)
};

void PrintTo(const Sample& sample, std::ostream* out) {
    *out << sample.file;
}

class Pipeline : public ::testing::TestWithParam<Sample> {};

double psnr(const fs::path& reference, const fs::path& file) {
    const std::string text = pillow("psnr", reference, file);
    return text == "inf" ? 1000.0 : std::stod(text);
}

TEST_P(Pipeline, FourCommandLinesKeepThePictureAndRecordTheResolution) {
    const Sample& sample = GetParam();
    TemporaryFolder sourceFolder;
    TemporaryFolder outputFolder;
    const fs::path source = sourceFolder / sample.file;
    copySample(sample.file, source);
    const fs::path jp2 = outputFolder / "Harbour at dusk.jp2";
    const fs::path png = outputFolder / "Harbour at dusk.png";
    const fs::path jpg = outputFolder / "Harbour at dusk.jpg";
    const std::map<std::string, std::string> original = exifTool(source);

    RunResult step = sips({"-s", "format", "jp2", source, "--out", jp2});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const auto intermediate = exifTool(jp2);
    EXPECT_EQ(intermediate.at("File:FileType"), "JP2");
    EXPECT_EQ(intermediate.at("Jpeg2000:BitsPerComponent"), sample.jp2Depth);
    if (sample.pillowReadsJp2) {
        EXPECT_EQ(pillow("psnr", source, jp2), "inf") << "the intermediate must be lossless";
    }

    step = sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    const std::string inPlace = fileBytes(jp2);
    step = sips({"-s", "format", "png", jp2, "--out", png});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    step = sips({"-s", "format", "jpeg", jp2, "--out", jpg});
    ASSERT_EQ(step.exitCode, 0) << step.err;

    EXPECT_EQ(fileBytes(jp2), inPlace) << "--out must leave its input alone";
    EXPECT_EQ(folderEntries(outputFolder.path()),
              (std::vector<std::string>{"Harbour at dusk.jp2", "Harbour at dusk.jpg",
                                        "Harbour at dusk.png"}));
    EXPECT_EQ(pillow("same-pixels", jp2, jpg), "yes") << "JPEG data must not be encoded again";

    const std::map<fs::path, std::string> types{{jp2, "JPEG"}, {png, "PNG"}, {jpg, "JPEG"}};
    for (const auto& [file, type] : types) {
        SCOPED_TRACE(file.filename().string());
        const auto tags = exifTool(file);
        EXPECT_EQ(tags.at("File:FileType"), type);
        EXPECT_EQ(tags.at("Composite:ImageSize"), original.at("Composite:ImageSize"));
        EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
        EXPECT_EQ(tags.at("IFD0:YResolution"), "300");
        EXPECT_GE(psnr(source, file), 40.0);
        if (*sample.profile != '\0') {
            EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), sample.profile);
        }
        if (sample.photoMetadata) {
            EXPECT_EQ(tags.at("IFD0:Orientation"), "6");
            EXPECT_EQ(tags.at("ExifIFD:DateTimeOriginal"), "2021:06:05 14:30:00");
            EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, Pipeline,
                         ::testing::Values(Sample{"photo.jpg", "Adobe RGB (1998)", true, true, "7"},
                                           Sample{"alpha.png", "", false, true, "7"},
                                           Sample{"deep.png", "", false, false, "15"},
                                           Sample{"palette.png", "", false, true, "7"},
                                           Sample{"grey.jpg", "", false, true, "7"},
                                           Sample{"picture.tif", "", false, true, "7"},
                                           Sample{"cmyk.jpg", "", false, false, "7"}),
                         [](const ::testing::TestParamInfo<Sample>& param) {
                             std::string name = param.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(PipelineMetadata, IntermediateCarriesProfileOrientationExifXmpAndIptc) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const RunResult step =
        sips({"-s", "format", "jp2", folder / "photo.jpg", "--out", folder / "photo.jp2"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    const auto tags = exifTool(folder / "photo.jp2");
    EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), "Adobe RGB (1998)");
    EXPECT_EQ(tags.at("IFD0:Orientation"), "6");
    EXPECT_EQ(tags.at("ExifIFD:DateTimeOriginal"), "2021:06:05 14:30:00");
    EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
    EXPECT_EQ(tags.at("IPTC:Keywords"), "harbour");
}

TEST(PipelineColour, GreyAndCmykIntermediatesSayWhatTheyHold) {
    TemporaryFolder folder;
    for (const char* name : {"grey.jpg", "cmyk.jpg", "alpha.png"}) {
        copySample(name, folder / name);
        const fs::path jp2 = folder / (std::string(name) + ".jp2");
        ASSERT_EQ(sips({"-s", "format", "jp2", folder / name, "--out", jp2}).exitCode, 0);
        const auto tags = exifTool(jp2);
        const std::string expected = std::string(name) == "grey.jpg"   ? "17"
                                     : std::string(name) == "cmyk.jpg" ? "12"
                                                                       : "16";
        EXPECT_EQ(tags.at("Jpeg2000:ColorSpace"), expected) << name;
    }
}

TEST(PipelineTransparency, AlphaIsCompositedOnWhiteInJpegData) {
    TemporaryFolder folder;
    copySample("alpha.png", folder / "alpha.png");
    ASSERT_EQ(sips({"-s", "format", "jpeg", folder / "alpha.png", "--out", folder / "alpha.jpg"})
                  .exitCode,
              0);
    // The sample's top rows are fully transparent: white, not black, not the hidden colour.
    std::istringstream pixel(pillow("pixel", folder / "alpha.jpg"));
    int samples = 0;
    for (int value = 0; pixel >> value; ++samples)
        EXPECT_GE(value, 250);
    EXPECT_EQ(samples, 3);
}

} // namespace
} // namespace sips_test
