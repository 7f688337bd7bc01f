// The JPEG 2000 intermediate as other readers see it. Its High-Throughput codestream decodes to
// exactly the source's samples in OpenJPEG and in Pillow. A YCbCr JPEG at 4:2:0 or 4:2:2 keeps its
// own Y, Cb and Cr planes, labelled sYCC: exactly what libjpeg decodes before upsampling, which
// the readers convert to the JPEG's colours; JPEGs whose planes they would not convert keep RGB.
#include "sips_harness.h"

#include <gtest/gtest.h>
#include <sstream>

namespace sips_test {
namespace {

class Intermediate : public ::testing::TestWithParam<SampleRow> {};

TEST_P(Intermediate, DecodesToTheSourceSamplesInOpenJpegAndPillow) {
    TemporaryFolder folder;
    const RunResult step = makeIntermediate(folder, GetParam().sample);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    EXPECT_EQ(pillow("jp2-readers", folder / GetParam().sample, folder / "scratch.jp2"),
              "pillow=yes openjpeg=yes");
}

INSTANTIATE_TEST_SUITE_P(
    Samples, Intermediate,
    ::testing::Values(SampleRow{"Rgb8Jpeg", "photo.jpg"}, SampleRow{"Grey8Jpeg", "grey.jpg"},
                      SampleRow{"RgbAlpha8", "alpha.png"}, SampleRow{"GreyAlpha8", "greyalpha.png"},
                      SampleRow{"Rgb16", "deep.png"}, SampleRow{"Grey16", "deepgrey.tif"},
                      SampleRow{"Rgb16TiledTiff", "tiled16.tif"},
                      SampleRow{"OddSizeBandsAndTiles", "large.png"},
                      SampleRow{"RgbAlpha16BandsAndTiles", "wide16.png"}),
    rowName);

// Readers that cannot decode the High-Throughput block coder must be able to tell: the file type
// box lists it and the code-block style says so.
TEST(Intermediate, DeclaresTheHighThroughputCoder) {
    TemporaryFolder folder;
    ASSERT_EQ(makeIntermediate(folder, "wide16.png").exitCode, 0);
    const fs::path jp2 = folder / "scratch.jp2";
    const auto tags = exifTool(jp2);
    EXPECT_EQ(tags.at("Jpeg2000:MajorBrand"), "jp2 ");
    EXPECT_NE(tags.at("Jpeg2000:CompatibleBrands").find("jph "), std::string::npos);
    EXPECT_EQ(exifToolValidation(jp2), "OK");
    const RunResult dump = run({"opj_dump", "-i", jp2.string()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_NE(dump.out.find("cblksty=0x40"), std::string::npos) << dump.out;
}

class KeptPlanes : public ::testing::TestWithParam<SampleRow> {};

TEST_P(KeptPlanes, DecodeToTheJpegsOwnPlanesAndToItsColours) {
    TemporaryFolder folder;
    const RunResult step = makeIntermediate(folder, GetParam().sample);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const fs::path source = folder / GetParam().sample;
    const fs::path jp2 = folder / "scratch.jp2";
    EXPECT_EQ(exifTool(jp2).at("Jpeg2000:ColorSpace"), "18");
    EXPECT_EQ(exifToolValidation(jp2), "OK");

    // One component at a time, opj_decompress converts nothing.
    ASSERT_EQ(run({JPEG_JUDGE, "planes", source, folder / "jpeg"}).exitCode, 0);
    for (const std::string component : {"0", "1", "2"}) {
        SCOPED_TRACE("component " + component);
        const fs::path decoded = folder / ("jp2" + component + ".pgx");
        const RunResult decode = run({"opj_decompress", "-i", jp2, "-c", component, "-o", decoded});
        ASSERT_EQ(decode.exitCode, 0) << decode.err;
        EXPECT_TRUE(fileBytes(folder / ("jp2" + component + "_0.pgx")) ==
                    fileBytes(folder / ("jpeg_" + component + ".pgx")));
    }

    // Upsampled and converted, the colours differ from libjpeg's by rounding and the way chroma
    // is upsampled; planes swapped, misplaced or read as RGB differ by tens.
    std::istringstream errors(pillow("ycc-readers", source, jp2));
    int pillowLargest = -1, openjpegLargest = -1;
    double pillowMean = -1, openjpegMean = -1;
    errors >> pillowLargest >> pillowMean >> openjpegLargest >> openjpegMean;
    ASSERT_FALSE(errors.fail()) << errors.str();
    EXPECT_LE(pillowLargest, 10);
    EXPECT_LE(pillowMean, 1.0);
    EXPECT_LE(openjpegLargest, 10);
    EXPECT_LE(openjpegMean, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Samplings, KeptPlanes,
                         ::testing::Values(SampleRow{"YCbCr420", "planes420.jpg"},
                                           SampleRow{"YCbCr422", "planes422.jpg"},
                                           SampleRow{"Progressive420", "planes420progressive.jpg"}),
                         rowName);

struct Converted : Row {
    const char* sample;
    const char* profile; // the description of the profile the intermediate keeps, "" for none
};

class KeptRgb : public ::testing::TestWithParam<Converted> {};

// Pillow 9.4 shows unsubsampled sYCC as RGB and misplaces the chroma of tiles of odd size;
// opj_decompress converts no sampling but 4:2:0, 4:2:2 and 4:4:4; a profile describes RGB.
TEST_P(KeptRgb, TheReadersWouldNotConvert) {
    TemporaryFolder folder;
    const RunResult step = makeIntermediate(folder, GetParam().sample);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    const fs::path jp2 = folder / "scratch.jp2";
    const auto tags = exifTool(jp2);
    if (*GetParam().profile == '\0') {
        EXPECT_EQ(tags.at("Jpeg2000:ColorSpace"), "16");
    } else {
        EXPECT_FALSE(tags.contains("Jpeg2000:ColorSpace"));
        EXPECT_EQ(tags.at("ICC_Profile:ProfileDescription"), GetParam().profile);
    }
    EXPECT_EQ(pillow("psnr", folder / GetParam().sample, jp2), "inf");
}

INSTANTIATE_TEST_SUITE_P(Samplings, KeptRgb,
                         ::testing::Values(Converted{"YCbCr444", "rgb444.jpg", ""},
                                           Converted{"YCbCr440", "rgb440.jpg", ""},
                                           Converted{"YCbCr411", "rgb411.jpg", ""},
                                           Converted{"OddSides420", "rgb420odd.jpg", ""},
                                           Converted{"ProfileNotSrgb420", "rgb420profile.jpg",
                                                     "Wide RGB test"}),
                         rowName);

} // namespace
} // namespace sips_test
