#include "commandlines.h"

#include <gtest/gtest.h>

namespace plenwick {
namespace {

TEST(PictureFamilyTest, OnlyTheTenExactExtensionsArePictures) {
    for (const char16_t* png : {u"png", u"PNG", u"tif", u"TIF", u"tiff", u"TIFF"})
        EXPECT_EQ(pictureFamily(png), PictureFamily::Png) << QString::fromUtf16(png).toStdString();
    for (const char16_t* jpeg : {u"jpg", u"JPG", u"jpeg", u"JPEG"})
        EXPECT_EQ(pictureFamily(jpeg), PictureFamily::Jpeg);
    for (const char16_t* other : {u"Jpg", u"Tiff", u"Png", u"jp2", u"gif", u"txt", u"", u"jpg "})
        EXPECT_FALSE(pictureFamily(other)) << QString::fromUtf16(other).toStdString();
}

TEST(EntryNameTest, SplitsAtTheLastDot) {
    const std::pair<const char16_t*, std::pair<const char16_t*, const char16_t*>> names[] = {
        {u"archive.tar.png", {u"archive.tar", u"png"}},
        {u"photo.JPEG", {u"photo", u"JPEG"}},
        {u".h.jpg", {u".h", u"jpg"}},
        {u".jpg", {u".jpg", u""}}, // a hidden name, not an extension
        {u"README", {u"README", u""}},
        {u"trailing.", {u"trailing", u""}},
        {u"space d.jpeg", {u"space d", u"jpeg"}}};
    for (const auto& [name, parts] : names) {
        const EntryName split = splitEntryName(QString::fromUtf16(name));
        EXPECT_EQ(split.base, QString::fromUtf16(parts.first));
        EXPECT_EQ(split.extension, QString::fromUtf16(parts.second));
    }
}

TEST(CommandLineTest, KeepsTheToolsCommandShapes) {
    const QString scratch = QStringLiteral(".plenwick-Ab12Cd");
    EXPECT_EQ(
        toJpeg2000Command(QStringLiteral("/in"), QStringLiteral("a b.TIFF"), QStringLiteral("/out"),
                          scratch),
        QStringLiteral("sips -s format jp2 \"/in/a b.TIFF\" --out \"/out/.plenwick-Ab12Cd\".jp2"));
    EXPECT_EQ(setResolutionCommand(QStringLiteral("/out"), scratch, 300),
              QStringLiteral("sips -s format jpeg \"/out/.plenwick-Ab12Cd\".jp2 -s dpiHeight 300 "
                             "-s dpiWidth 300"));
    EXPECT_EQ(
        finalCommand(PictureFamily::Png, QStringLiteral("/out"), scratch, QStringLiteral("a b"),
                     QStringLiteral("TIFF")),
        QStringLiteral("sips -s format png \"/out/.plenwick-Ab12Cd\".jp2 --out \"/out/a b\".TIFF"));
    EXPECT_EQ(finalCommand(PictureFamily::Jpeg, QStringLiteral("/out"), scratch,
                           QStringLiteral("photo"), QStringLiteral("JPEG")),
              QStringLiteral(
                  "sips -s format jpeg \"/out/.plenwick-Ab12Cd\".jp2 --out \"/out/photo\".jpg"));
    EXPECT_EQ(scratchFilePath(QStringLiteral("/out"), scratch),
              QStringLiteral("/out/.plenwick-Ab12Cd.jp2"));
}

} // namespace
} // namespace plenwick
