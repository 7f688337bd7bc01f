// Metadata that cannot travel: what Exiv2 reads but cannot write again is dropped with a warning
// and the rest travels on; a malformed segment never reaches a copy made without decoding, and a
// PNG whose chunks do not add up is refused.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct OddMetadata : Row {
    const char* sample;  // made by make_hostile_pictures.py
    const char* warning; // what step 1 warns of, "" for nothing
    const char* tag;     // a tag that must reach the final copy, with its value
    const char* value;
};

class CarriedMetadata : public ::testing::TestWithParam<OddMetadata> {};

TEST_P(CarriedMetadata, DropsOnlyWhatCannotBeWritten) {
    const OddMetadata& odd = GetParam();
    TemporaryFolder folder;
    const fs::path source = folder / odd.sample;
    copySample(odd.sample, source);
    const fs::path jp2 = folder / "scratch.jp2";

    RunResult step = sips({"-s", "format", "jp2", source, "--out", jp2});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    const std::string warning =
        *odd.warning == '\0' ? "" : "sips: warning: " + source.string() + ": " + odd.warning + "\n";
    EXPECT_EQ(step.err, warning);
    step = recordResolution(jp2);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    step = sips({"-s", "format", "jpeg", jp2, "--out", folder / "final.jpg"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    // The source itself rewritten in place, as when a JPEG is given the new resolution directly.
    step = recordResolution(source);
    ASSERT_EQ(step.exitCode, 0) << step.err;

    for (const fs::path& copy : {folder / "final.jpg", source}) {
        SCOPED_TRACE(copy.filename().string());
        const auto tags = exifTool(copy);
        EXPECT_EQ(tags.at(odd.tag), odd.value);
        EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
        EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
        EXPECT_EQ(tags.count("ExifTool:Warning"), 0u) << tags.at("ExifTool:Warning");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, CarriedMetadata,
    ::testing::Values(
        // libvips writes a camera photo's EXIF block twice; Exiv2 cannot encode the maker's
        // notes it then holds twice.
        OddMetadata{"MakersNotesTwice", "maker-notes.png",
                    "camera maker's notes dropped: they cannot be written again", "IFD0:Make",
                    "Canon"},
        OddMetadata{"UnreadableExif", "unreadable-exif.png",
                    "metadata dropped: it cannot be read (This does not look like a TIFF image)",
                    "File:ImageWidth", "96"},
        OddMetadata{"ResolutionUnitWithoutValue", "no-unit.jpg", "", "IFD0:Orientation", "6"}),
    rowName);

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
        EXPECT_EQ(pillow("same-samples", source, copy), "yes");
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
                      Malformed{"Xmp", "badxmp.jpg", "left out a malformed XMP segment"},
                      // Its second picture lies past the end of the file.
                      Malformed{"Mpf", "badmpf.jpg", "left out a malformed MPF segment"}),
    rowName);

// What follows the picture travels through the chain with it: the second picture of an MPF file,
// its index moved with the copy's larger header, and a motion photo's video.
TEST(JpegCopy, KeepsWhatFollowsThePicture) {
    for (const char* sample : {"pair.jpg", "motion.jpg"}) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const fs::path source = folder / sample;
        copySample(sample, source);
        const fs::path jp2 = folder / "scratch.jp2";
        ASSERT_EQ(makeRecordedIntermediate(source, jp2).exitCode, 0);
        const fs::path copy = folder / "copy.jpg";
        const RunResult last = sips({"-s", "format", "jpeg", jp2, "--out", copy});
        ASSERT_EQ(last.exitCode, 0) << last.err;
        EXPECT_EQ(last.err, "");
        EXPECT_EQ(exifTool(copy).at("IFD0:XResolution"), "300");
        EXPECT_EQ(exifToolValidation(copy), "OK");
        EXPECT_EQ(pillow("frames", copy), pillow("frames", source));
        const std::string bytes = fileBytes(source);
        const std::size_t video = bytes.find("ftypmp42");
        if (video != std::string::npos) {
            EXPECT_TRUE(fileBytes(copy).ends_with(bytes.substr(video - 4)));
        }
    }
}

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
