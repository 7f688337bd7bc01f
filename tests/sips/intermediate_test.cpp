// The JPEG 2000 intermediate as other readers see it. Its High-Throughput codestream decodes to
// exactly the source's samples in OpenJPEG and in Pillow. A YCbCr JPEG at 4:2:0 or 4:2:2 keeps its
// own Y, Cb and Cr planes, labelled sYCC: exactly what libjpeg decodes before upsampling, which
// the readers convert to the JPEG's colours; JPEGs whose planes they would not convert keep RGB.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

// 8 and 16 bits, grey and colour, with and without alpha; tiles and bands, the last ones partial.
// Readers that cannot decode the High-Throughput block coder must be able to tell: the file type
// box lists it and the code-block style says so.
TEST(Intermediate, DecodesToTheSourceSamplesInOpenJpegAndPillowAndDeclaresItsCoder) {
    for (const char* sample : {"photo.jpg", "grey.jpg", "alpha.png", "greyalpha.png", "deep.png",
                               "deepgrey.tif", "tiled16.tif", "large.png", "wide16.png"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const RunResult step = makeIntermediate(folder, sample);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
        const fs::path jp2 = folder / "scratch.jp2";
        EXPECT_EQ(pillow("jp2-readers", folder / sample, jp2), "pillow=yes openjpeg=yes");
        EXPECT_NE(exifTool(jp2).at("Jpeg2000:CompatibleBrands").find("jph "), std::string::npos);
        EXPECT_NE(run({"opj_dump", "-i", jp2}).out.find("cblksty=0x40"), std::string::npos);
    }
}

TEST(KeptPlanes, DecodeToTheJpegsOwnPlanesAndToItsColours) {
    for (const char* sample : {"planes420.jpg", "planes422.jpg", "planes420progressive.jpg"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const RunResult step = makeIntermediate(folder, sample);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
        const fs::path source = folder / sample;
        const fs::path jp2 = folder / "scratch.jp2";
        EXPECT_EQ(exifTool(jp2).at("Jpeg2000:ColorSpace"), "18");
        EXPECT_EQ(run({"exiftool", "-s3", "-validate", jp2}).out, "OK\n");

        // One component at a time, opj_decompress converts nothing.
        ASSERT_EQ(run({JPEG_JUDGE, "planes", source, folder / "jpeg"}).exitCode, 0);
        for (const std::string component : {"0", "1", "2"}) {
            SCOPED_TRACE("component " + component);
            const fs::path decoded = folder / ("jp2" + component + ".pgx");
            ASSERT_EQ(run({"opj_decompress", "-i", jp2, "-c", component, "-o", decoded}).exitCode,
                      0);
            EXPECT_TRUE(fileBytes(folder / ("jp2" + component + "_0.pgx")) ==
                        fileBytes(folder / ("jpeg_" + component + ".pgx")));
        }

        // Upsampled and converted, the colours differ from libjpeg's by rounding and the way
        // chroma is upsampled; planes swapped, misplaced or read as RGB differ by tens.
        EXPECT_EQ(pillow("ycc-readers", source, jp2), "pillow=yes openjpeg=yes");
    }
}

// Pillow 9.4 shows unsubsampled sYCC as RGB and misplaces the chroma of tiles of odd size;
// opj_decompress converts no sampling but 4:2:0, 4:2:2 and 4:4:4. (A JPEG with a profile keeps
// RGB too: the pipeline's photo.)
TEST(KeptRgb, WhereTheReadersWouldNotConvertThePlanes) {
    for (const char* sample : {"rgb444.jpg", "rgb411.jpg", "rgb420odd.jpg"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const RunResult step = makeIntermediate(folder, sample);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(exifTool(folder / "scratch.jp2").at("Jpeg2000:ColorSpace"), "16");
        EXPECT_EQ(pillow("psnr", folder / sample, folder / "scratch.jp2"), "inf");
    }
}

} // namespace
} // namespace sips_test
