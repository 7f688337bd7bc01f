// Copies made without decoding: a malformed metadata segment never travels on, and a PNG whose
// chunks do not add up is refused.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct Malformed : Row {
    const char* sample;
    const char* warning; // for the copy that keeps the resolution
};

class MalformedSegment : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedSegment, IsLeftOutOfTheCopy) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.jpg";
    copySample(GetParam().sample, source);
    for (const bool newResolution : {false, true}) {
        SCOPED_TRACE(newResolution ? "with a new resolution" : "keeping the resolution");
        const fs::path copy = folder / "copy.jpg";
        std::vector<std::string> line{"-s", "format", "jpeg", source, "--out", copy};
        if (newResolution)
            line.insert(line.end(), {"-s", "dpiWidth", "300", "-s", "dpiHeight", "300"});
        const RunResult result = sips(line);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        if (!newResolution) {
            EXPECT_NE(result.err.find(GetParam().warning), std::string::npos) << result.err;
        }
        const auto tags = exifTool(copy);
        EXPECT_FALSE(tags.contains("ExifTool:Warning")) << tags.at("ExifTool:Warning");
        EXPECT_EQ(pillow("same-pixels", source, copy), "yes");
        EXPECT_EQ(folderEntries(folder.path()),
                  (std::vector<std::string>{"copy.jpg", "source.jpg"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Segments, MalformedSegment,
    ::testing::Values(Malformed{"Exif", "badexif.jpg", "left out a malformed EXIF segment"},
                      Malformed{"Icc", "badicc.jpg", "left out a malformed ICC profile segment"},
                      Malformed{"Photoshop", "badphotoshop.jpg",
                                "left out a malformed Photoshop segment"},
                      Malformed{"Xmp", "badxmp.jpg", "left out a malformed XMP segment"}),
    rowName);

TEST(PngCopy, RefusesAChunkWhoseCrcDoesNotMatch) {
    TemporaryFolder folder;
    copySample("badcrc.png", folder / "source.png");
    const RunResult result = sips({"-s", "format", "png", folder / "source.png", "-s", "dpiWidth",
                                   "300", "--out", folder / "copy.png"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("a chunk whose CRC does not match its data"), std::string::npos);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"source.png"});
}

} // namespace
} // namespace sips_test
