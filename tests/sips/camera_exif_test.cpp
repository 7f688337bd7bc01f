// Real cameras' EXIF blocks (several makers, both byte orders, with and without makers' notes;
// see cameras/README) through a copy with a new resolution: the block is edited in place, so
// every tag but the resolution reads as before, makers' notes included.
#include "sips_harness.h"

#include <fstream>
#include <gtest/gtest.h>

namespace sips_test {
namespace {

fs::path camera(const std::string& name) {
    return fs::path(SIPS_TEST_SCRIPTS) / "cameras" / name;
}

// The EXIF block (after "Exif\0\0") of a JPEG's first EXIF segment or a PNG's eXIf chunk.
std::string exifBlock(const fs::path& file) {
    const std::string bytes = fileBytes(file);
    const auto number = [&](std::size_t at, int size) {
        std::size_t value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
        return value;
    };
    if (bytes.starts_with("\x89PNG")) {
        for (std::size_t at = 8; at + 8 <= bytes.size(); at += 12 + number(at, 4)) {
            if (bytes.compare(at + 4, 4, "eXIf") == 0)
                return bytes.substr(at + 8, number(at, 4));
        }
        return {};
    }
    for (std::size_t at = 2; at + 4 <= bytes.size() && bytes[at + 1] != '\xDA';
         at += 2 + number(at + 2, 2)) {
        if (bytes[at + 1] == '\xE1' && bytes.compare(at + 4, 6, std::string("Exif\0\0", 6)) == 0)
            return bytes.substr(at + 10, number(at + 2, 2) - 8);
    }
    return {};
}

// Every tag ExifTool reads, binary ones (thumbnails, previews) as their bytes, less what a copy
// with a new resolution changes: the resolution, the JFIF header, a PNG's own chunks, and where
// in the file a thumbnail or preview starts (the bytes there are compared instead).
std::map<std::string, std::string> tagsBesidesResolution(const fs::path& file) {
    std::map<std::string, std::string> tags = exifTool(file, {"-b", "-x", "System:all"});
    std::erase_if(tags, [](const auto& tag) {
        const std::string& key = tag.first;
        return key == "SourceFile" || key.starts_with("File:") || key.starts_with("JFIF:") ||
               key.starts_with("PNG") || key.starts_with("Composite:") || key.ends_with("Offset") ||
               key.ends_with("Start") || key == "IFD0:XResolution" || key == "IFD0:YResolution" ||
               key == "IFD0:ResolutionUnit";
    });
    return tags;
}

// Tags that differ are named, not printed: thumbnails make the maps long.
void expectSameTags(const std::map<std::string, std::string>& after,
                    const std::map<std::string, std::string>& before) {
    for (const auto& [key, value] : before)
        EXPECT_TRUE(after.contains(key) && after.at(key) == value) << key << " changed";
    for (const auto& tag : after)
        EXPECT_TRUE(before.contains(tag.first)) << tag.first << " added";
}

// Byte for byte: the resolution values patched where they were, or a new IFD0 after the old
// block, which is kept whole behind the header.
void expectEditedInPlace(const std::string& block, const std::string& edited,
                         bool recordsResolution) {
    if (recordsResolution) {
        ASSERT_EQ(edited.size(), block.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < block.size(); ++i)
            differing += edited[i] != block[i];
        EXPECT_LE(differing, 8u + 8u + 2u);
    } else {
        ASSERT_GT(edited.size(), block.size());
        EXPECT_EQ(edited.substr(0, 4), block.substr(0, 4));
        EXPECT_EQ(edited.substr(8, block.size() - 8), block.substr(8));
    }
}

struct Camera : Row {
    const char* file;
    bool recordsResolution; // else IFD0 gains the three tags
};

class CameraExif : public ::testing::TestWithParam<Camera> {};

TEST_P(CameraExif, TravelsWithOnlyItsResolutionChanged) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.jpg";
    fs::copy_file(camera(GetParam().file), source);
    const std::map<std::string, std::string> before = tagsBesidesResolution(source);
    const std::string block = exifBlock(source);
    ASSERT_FALSE(block.empty());

    // Copied directly, and through the application's chain to a JPEG and to a PNG.
    const fs::path direct = folder / "direct.jpg";
    RunResult step = sips({"-s", "format", "jpeg", source, "-s", "dpiWidth", "300", "-s",
                           "dpiHeight", "300", "--out", direct});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const fs::path jp2 = folder / "scratch.jp2";
    ASSERT_EQ(makeRecordedIntermediate(source, jp2).exitCode, 0);
    for (const char* format : {"jpeg", "png"}) {
        step =
            sips({"-s", "format", format, jp2, "--out", folder / (std::string("chain.") + format)});
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
    }

    for (const char* name : {"direct.jpg", "chain.jpeg", "chain.png"}) {
        SCOPED_TRACE(name);
        const fs::path copy = folder / name;
        std::map<std::string, std::string> after = tagsBesidesResolution(copy);
        // A JPEG names its chroma siting; a block that did not gains the default (and keeps
        // it in a PNG made from that JPEG).
        const std::string siting = "IFD0:YCbCrPositioning";
        if (!before.contains(siting) && after.contains(siting)) {
            EXPECT_EQ(after.at(siting), "1");
            after.erase(siting);
        }
        expectSameTags(after, before);
        const auto tags = exifTool(copy);
        EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
        EXPECT_EQ(tags.at("IFD0:YResolution"), "300");
        EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");

        expectEditedInPlace(block, exifBlock(copy), GetParam().recordsResolution);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Makers, CameraExif,
    ::testing::Values(Camera{"OlympusLittleEndianMakersNotes", "olympus-fe370.jpg", true},
                      Camera{"NikonBigEndianMakersNotes", "nikon-d80.jpg", true},
                      Camera{"CanonLittleEndianMakersNotes", "canon-sd450.jpg", true},
                      Camera{"KodakBigEndianMakersNotes", "kodak-z710.jpg", true},
                      Camera{"PhoneLittleEndianNoMakersNotes", "sonyericsson-z550a.jpg", true},
                      Camera{"PhoneBigEndianNoResolution", "htc-one-m8.jpg", false}),
    rowName);

// A PNG's eXIf chunk (a camera's tags as ExifTool puts them there) is edited in place too.
TEST(CameraExif, PngExifChunkIsEditedInPlace) {
    for (const bool withResolution : {true, false}) {
        SCOPED_TRACE(withResolution ? "with a resolution" : "without one");
        TemporaryFolder folder;
        const fs::path source = folder / "source.png";
        copySample("alpha.png", source);
        std::vector<std::string> line{
            "exiftool", "-q", "-overwrite_original", "-tagsFromFile", camera("olympus-fe370.jpg"),
            "-EXIF:all"};
        if (!withResolution)
            line.insert(line.end(),
                        {"-IFD0:XResolution=", "-IFD0:YResolution=", "-IFD0:ResolutionUnit="});
        line.push_back(source);
        ASSERT_EQ(run(line).exitCode, 0);
        const std::map<std::string, std::string> before = tagsBesidesResolution(source);
        const fs::path copy = folder / "copy.png";
        const RunResult step = sips({"-s", "format", "png", source, "-s", "dpiWidth", "300", "-s",
                                     "dpiHeight", "300", "--out", copy});
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
        expectSameTags(tagsBesidesResolution(copy), before);
        EXPECT_EQ(exifTool(copy).at("IFD0:XResolution"), "300");
        expectEditedInPlace(exifBlock(source), exifBlock(copy), withResolution);
    }
}

// The JPEG intermediate of a PNG takes its metadata from the chunks of the carried PNG, read
// without its image data: it holds the tags a JPEG made from the PNG itself holds.
TEST(CameraExif, PngIntermediateHoldsThePngsOwnTags) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.png";
    copySample("large.png", source);
    ASSERT_EQ(
        run({"exiftool", "-q", "-overwrite_original", "-tagsFromFile", camera("olympus-fe370.jpg"),
             "-EXIF:all", "-XMP-dc:Title=Harbour at dusk", "-PNG:Comment=at dusk", source})
            .exitCode,
        0);
    const fs::path direct = folder / "direct.jpg";
    ASSERT_EQ(sips({"-s", "format", "jpeg", source, "-s", "dpiWidth", "300", "-s", "dpiHeight",
                    "300", "--out", direct})
                  .exitCode,
              0);
    const fs::path jp2 = folder / "scratch.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", source, "--out", jp2}).exitCode, 0);
    const RunResult step = recordResolution(jp2);
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    std::map<std::string, std::string> intermediate = tagsBesidesResolution(jp2);
    std::erase_if(intermediate, [](const auto& tag) { return tag.first.starts_with("JUMBF"); });
    const std::map<std::string, std::string> expected = tagsBesidesResolution(direct);
    EXPECT_EQ(expected.at("XMP-dc:Title"), "Harbour at dusk");
    EXPECT_TRUE(expected.contains("ExifIFD:DateTimeOriginal"));
    expectSameTags(intermediate, expected);
}

// A block whose directories do not hold together is not edited but encoded anew, and the
// tool says so.
TEST(CameraExif, DamagedBlockIsRewrittenWithANote) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.jpg";
    std::string bytes = fileBytes(camera("olympus-fe370.jpg"));
    // IFD0 links to a next directory past the end of the block (little-endian numbers).
    const std::size_t tiff = bytes.find(std::string("Exif\0\0", 6)) + 6;
    const auto number = [&](std::size_t at, int size) {
        std::size_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes.at(tiff + at + i));
        return value;
    };
    const std::size_t ifd0 = number(4, 4);
    bytes.replace(tiff + ifd0 + 2 + 12 * number(ifd0, 2), 4, std::string("\x00\xff\xff\x7f", 4));
    {
        std::ofstream out(source, std::ios::binary);
        out << bytes;
    }
    const fs::path copy = folder / "copy.jpg";
    const RunResult step = sips({"-s", "format", "jpeg", source, "-s", "dpiWidth", "300", "-s",
                                 "dpiHeight", "300", "--out", copy});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "sips: warning: " + source.string() +
                            ": EXIF block rewritten whole: its directories do not hold together\n");
    const auto tags = exifTool(copy);
    EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
    EXPECT_EQ(tags.at("IFD0:Make"), "OLYMPUS IMAGING CORP.");
}

// An XMP packet and a Photoshop block that record no resolution travel unchanged.
TEST(CameraExif, XmpAndPhotoshopBlocksWithoutResolutionTravelUnchanged) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.jpg";
    fs::copy_file(camera("canon-sd450.jpg"), source);
    ASSERT_EQ(run({"exiftool", "-q", "-overwrite_original", "-XMP-dc:Title=Harbour at dusk",
                   "-XMP-dc:Creator=A. Photographer", "-IPTC:Keywords=harbour", source})
                  .exitCode,
              0);
    const fs::path copy = folder / "copy.jpg";
    const RunResult step = sips({"-s", "format", "jpeg", source, "-s", "dpiWidth", "300", "-s",
                                 "dpiHeight", "300", "--out", copy});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    // The whole segment: marker, length, payload.
    const auto segment = [](const fs::path& file, const std::string& signature) {
        const std::string bytes = fileBytes(file);
        const std::size_t at = bytes.find(signature);
        if (at == std::string::npos || at < 4)
            return std::string();
        const std::size_t length = static_cast<unsigned char>(bytes[at - 2]) << 8 |
                                   static_cast<unsigned char>(bytes[at - 1]);
        return bytes.substr(at - 4, 2 + length);
    };
    for (const char* signature : {"http://ns.adobe.com/xap/1.0/", "Photoshop 3.0"}) {
        SCOPED_TRACE(signature);
        const std::string before = segment(source, signature);
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(segment(copy, signature), before);
    }
}

} // namespace
} // namespace sips_test
