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

// The EXIF block of a JPEG's EXIF segment or a PNG's eXIf chunk, as ExifTool finds it.
std::string exifBlock(const fs::path& file) {
    return run({"exiftool", "-b", "-EXIF", file}).out;
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
               key == "IFD0:ResolutionUnit" || key.starts_with("JUMBF");
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

void expectResolution300(const fs::path& copy) {
    const auto tags = exifTool(copy);
    EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
    EXPECT_EQ(tags.at("IFD0:YResolution"), "300");
    EXPECT_EQ(tags.at("IFD0:ResolutionUnit"), "2");
}

TEST(CameraExif, TravelsWithOnlyItsResolutionChanged) {
    // Olympus: little-endian with makers' notes; Nikon: big-endian with them; phones without;
    // the last records no resolution (IFD0 gains the three tags).
    const std::pair<const char*, bool> cameras[] = {{"olympus-fe370.jpg", true},
                                                    {"nikon-d80.jpg", true},
                                                    {"sonyericsson-z550a.jpg", true},
                                                    {"htc-one-m8.jpg", false}};
    for (const auto& [file, recordsResolution] : cameras) {
        SCOPED_TRACE(file);
        TemporaryFolder folder;
        const fs::path source = folder / "source.jpg";
        fs::copy_file(camera(file), source);
        const std::map<std::string, std::string> before = tagsBesidesResolution(source);
        const std::string block = exifBlock(source);
        ASSERT_FALSE(block.empty());

        // Copied directly, and through the application's chain to a JPEG and to a PNG.
        RunResult step = convert(source, folder / "direct.jpg", "300");
        ASSERT_EQ(step.exitCode, 0) << step.err;
        EXPECT_EQ(step.err, "");
        const fs::path jp2 = folder / "scratch.jp2";
        ASSERT_EQ(makeRecordedIntermediate(source, jp2).exitCode, 0);
        for (const char* name : {"chain.jpg", "chain.png"}) {
            step = convert(jp2, folder / name);
            ASSERT_EQ(step.exitCode, 0) << step.err;
            EXPECT_EQ(step.err, "");
        }

        for (const char* name : {"direct.jpg", "chain.jpg", "chain.png"}) {
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
            expectResolution300(copy);
            expectEditedInPlace(block, exifBlock(copy), recordsResolution);
        }
    }
}

// A PNG's eXIf chunk (a camera's tags as ExifTool puts them there) is edited in place too, and
// the JPEG intermediate of a PNG takes its metadata from the chunks of the carried PNG, read
// without its image data: it holds the tags a JPEG made from the PNG itself holds.
TEST(CameraExif, PngChunksTravelAsWell) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.png";
    copySample("large.png", source);
    ASSERT_EQ(
        run({"exiftool", "-q", "-overwrite_original", "-tagsFromFile", camera("olympus-fe370.jpg"),
             "-EXIF:all", "-XMP-dc:Title=Harbour at dusk", "-PNG:Comment=at dusk", source})
            .exitCode,
        0);
    const std::map<std::string, std::string> before = tagsBesidesResolution(source);
    RunResult step = convert(source, folder / "copy.png", "300");
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    expectSameTags(tagsBesidesResolution(folder / "copy.png"), before);
    expectResolution300(folder / "copy.png");
    expectEditedInPlace(exifBlock(source), exifBlock(folder / "copy.png"), true);

    ASSERT_EQ(convert(source, folder / "direct.jpg", "300").exitCode, 0);
    step = makeRecordedIntermediate(source, folder / "scratch.jp2");
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "");
    const std::map<std::string, std::string> expected =
        tagsBesidesResolution(folder / "direct.jpg");
    EXPECT_EQ(expected.at("XMP-dc:Title"), "Harbour at dusk");
    EXPECT_TRUE(expected.contains("ExifIFD:DateTimeOriginal"));
    expectSameTags(tagsBesidesResolution(folder / "scratch.jp2"), expected);
}

// A block whose directories do not hold together is not edited but encoded anew, and the tool
// says so; the XMP packet and the Photoshop block beside it travel on.
TEST(CameraExif, DamagedBlockIsRewrittenWithANoteAndOtherBlocksTravelOn) {
    TemporaryFolder folder;
    const fs::path source = folder / "source.jpg";
    fs::copy_file(camera("olympus-fe370.jpg"), source);
    ASSERT_EQ(run({"exiftool", "-q", "-overwrite_original", "-XMP-dc:Title=Harbour at dusk",
                   "-IPTC:Keywords=harbour", source})
                  .exitCode,
              0);
    // IFD0 links to a next directory past the end of the block (little-endian numbers).
    std::string bytes = fileBytes(source);
    const auto number = [&](std::size_t at, int size) {
        std::size_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
        return value;
    };
    const std::size_t tiff = bytes.find(std::string("Exif\0\0", 6)) + 6;
    const std::size_t ifd0 = tiff + number(tiff + 4, 4);
    bytes.replace(ifd0 + 2 + 12 * number(ifd0, 2), 4, "\x00\xff\xff\x7f", 4);
    std::ofstream(source, std::ios::binary) << bytes;

    const fs::path copy = folder / "copy.jpg";
    const RunResult step = convert(source, copy, "300");
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(step.err, "sips: warning: " + source.string() +
                            ": EXIF block rewritten whole: its directories do not hold together\n");
    expectResolution300(copy);
    const auto tags = exifTool(copy);
    EXPECT_EQ(tags.at("IFD0:Make"), "OLYMPUS IMAGING CORP.");
    EXPECT_EQ(tags.at("XMP-dc:Title"), "Harbour at dusk");
    EXPECT_EQ(tags.at("IPTC:Keywords"), "harbour");
}

} // namespace
} // namespace sips_test
