// Metadata that cannot travel: what Exiv2 reads but cannot write again is dropped with a warning
// and the rest travels on; a malformed segment never reaches a copy made without decoding.
#include "sips_harness.h"

#include <gtest/gtest.h>

namespace sips_test {
namespace {

struct OddMetadata {
    const char* sample;  // made by make_hostile_pictures.py
    const char* warning; // what step 1 warns of, "" for nothing
    const char* tag;     // a tag that must reach the final copy, with its value
    const char* value;
};

TEST(CarriedMetadata, DropsOnlyWhatCannotBeWritten) {
    const OddMetadata rows[] = {
        // libvips writes a camera photo's EXIF block twice; Exiv2 cannot encode the maker's
        // notes it then holds twice.
        {"maker-notes.png", "camera maker's notes dropped: they cannot be written again",
         "IFD0:Make", "Canon"},
        {"unreadable-exif.png",
         "metadata dropped: it cannot be read (This does not look like a TIFF image)",
         "File:ImageWidth", "96"},
        {"no-unit.jpg", "", "IFD0:Orientation", "6"}};
    for (const OddMetadata& odd : rows) {
        SCOPED_TRACE(odd.sample);
        TemporaryFolder folder;
        const fs::path source = folder / odd.sample;
        copySample(odd.sample, source);
        const fs::path jp2 = folder / "scratch.jp2";
        const RunResult step = convert(source, jp2);
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, *odd.warning == '\0'
                                ? ""
                                : "sips: warning: " + source.string() + ": " + odd.warning + "\n");
        ASSERT_EQ(recordResolution(jp2).exitCode, 0);
        ASSERT_EQ(convert(jp2, folder / "final.jpg").exitCode, 0);
        // The source itself rewritten in place, as when a JPEG is given the new resolution
        // directly.
        ASSERT_EQ(recordResolution(source).exitCode, 0);
        for (const fs::path& copy : {folder / "final.jpg", source}) {
            SCOPED_TRACE(copy.filename().string());
            const auto tags = exifTool(copy);
            EXPECT_EQ(tags.at(odd.tag), odd.value);
            EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
            EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
            EXPECT_EQ(tags.count("ExifTool:Warning"), 0u) << tags.at("ExifTool:Warning");
        }
    }
}

// Kept as it is or given a new resolution, the copy holds the source's picture without the segment.
TEST(MalformedSegment, IsLeftOutOfTheCopy) {
    const std::pair<const char*, const char*> segments[] = {{"badexif.jpg", "EXIF"},
                                                            {"badicc.jpg", "ICC profile"},
                                                            {"badphotoshop.jpg", "Photoshop"},
                                                            {"badxmp.jpg", "XMP"}};
    for (const auto& [sample, kind] : segments) {
        SCOPED_TRACE(sample);
        TemporaryFolder folder;
        const fs::path source = folder / "source.jpg";
        copySample(sample, source);
        for (const char* dpi : {"", "300"}) {
            const RunResult result = convert(source, folder / "copy.jpg", dpi);
            ASSERT_EQ(result.exitCode, 0) << result.err;
            if (*dpi == '\0') {
                EXPECT_NE(result.err.find(std::string("left out a malformed ") + kind + " segment"),
                          std::string::npos)
                    << result.err;
            }
            const auto tags = exifTool(folder / "copy.jpg");
            EXPECT_FALSE(tags.contains("ExifTool:Warning")) << tags.at("ExifTool:Warning");
            EXPECT_EQ(pillow("same-samples", source, folder / "copy.jpg"), "yes");
            EXPECT_EQ(folderEntries(folder.path()),
                      (std::vector<std::string>{"copy.jpg", "source.jpg"}));
        }
    }
}

} // namespace
} // namespace sips_test
