// Pictures whose metadata Exiv2 reads but cannot write again still convert: what cannot be
// carried is dropped with a warning, and the rest travels on.
#include "sips_harness.h"

#include <gtest/gtest.h>
#include <regex>

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
    step = sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    step = sips({"-s", "format", "jpeg", jp2, "--out", folder / "final.jpg"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    // The source itself rewritten in place, as when a JPEG is given the new resolution directly.
    step =
        sips({"-s", "format", "jpeg", source, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
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

} // namespace
} // namespace sips_test
