// The four command lines the application sends, run on each kind of picture it may meet.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Sample : Row {    // named after its file
    const char* profile; // ICC profile description expected throughout, "" for none
    bool
        photoMetadata; // orientation 6, DateTimeOriginal, an XMP title (and IPTC keywords) to carry
    bool pillowReadsJp2; // Pillow decodes the JPEG 2000 in the source's mode (not CMYK, not 16-bit)
    const char* jp2Depth; // the intermediate's BitsPerComponent as stored (depth - 1)
    const char* jp2Space; // its enumerated colour space, "" when it holds a profile instead
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

    RunResult step = sips({"-s", "format", "jp2", source, "--out", jp2});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const auto intermediate = exifTool(jp2);
    EXPECT_EQ(intermediate.at("File:FileType"), "JP2");
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
        // The reference is composited on white where the output has no alpha.
        const std::string psnr = pillow("psnr", source, file);
        EXPECT_TRUE(psnr == "inf" || std::stod(psnr) >= 40.0) << psnr;
        expectCarried(sample, tags);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, Pipeline,
                         ::testing::Values(Sample{"photo.jpg", "Adobe RGB (1998)", true, true, "7",
                                                  ""},
                                           Sample{"alpha.png", "", false, true, "7", "16"},
                                           Sample{"deep.png", "", false, false, "15", "16"},
                                           Sample{"palette.png", "", false, true, "7", "16"},
                                           Sample{"grey.jpg", "", false, true, "7", "17"},
                                           Sample{"picture.tif", "", false, true, "7", "16"},
                                           Sample{"cmyk.jpg", "", false, false, "7", "12"}),
                         rowName);

} // namespace
} // namespace sips_test
