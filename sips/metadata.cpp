#include "metadata.h"

#include "failure.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sips {

namespace {

// Tags that describe how the source file stores its pixels or embeds other blocks.
constexpr std::array<std::string_view, 25> layoutTags = {"Exif.Image.NewSubfileType",
                                                         "Exif.Image.SubfileType",
                                                         "Exif.Image.ImageWidth",
                                                         "Exif.Image.ImageLength",
                                                         "Exif.Image.BitsPerSample",
                                                         "Exif.Image.Compression",
                                                         "Exif.Image.PhotometricInterpretation",
                                                         "Exif.Image.FillOrder",
                                                         "Exif.Image.StripOffsets",
                                                         "Exif.Image.SamplesPerPixel",
                                                         "Exif.Image.RowsPerStrip",
                                                         "Exif.Image.StripByteCounts",
                                                         "Exif.Image.PlanarConfiguration",
                                                         "Exif.Image.Predictor",
                                                         "Exif.Image.TileWidth",
                                                         "Exif.Image.TileLength",
                                                         "Exif.Image.TileOffsets",
                                                         "Exif.Image.TileByteCounts",
                                                         "Exif.Image.ExtraSamples",
                                                         "Exif.Image.SampleFormat",
                                                         "Exif.Image.SubIFDs",
                                                         "Exif.Image.InterColorProfile",
                                                         "Exif.Image.XMLPacket",
                                                         "Exif.Image.IPTCNAA",
                                                         "Exif.Image.ImageResources"};

void eraseKey(Exiv2::ExifData& exif, std::string_view key) {
    const auto found = exif.findKey(Exiv2::ExifKey(std::string(key)));
    if (found != exif.end())
        exif.erase(found);
}

std::vector<std::uint8_t> bytesOf(const Exiv2::Value& value) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(value.size()));
    value.copy(bytes.data(), Exiv2::invalidByteOrder);
    return bytes;
}

} // namespace

Metadata readMetadata(const std::string& path) {
    Exiv2::Image::AutoPtr image;
    try {
        image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
    } catch (const Exiv2::AnyError& error) {
        throw Failure(path, std::string("damaged or truncated file (") + error.what() + ")");
    }
    Metadata metadata;
    metadata.exif = image->exifData();
    metadata.xmp = image->xmpData();
    metadata.iptc = image->iptcData();
    if (image->byteOrder() != Exiv2::invalidByteOrder)
        metadata.byteOrder = image->byteOrder();
    if (image->iccProfileDefined()) {
        const Exiv2::DataBuf* icc = image->iccProfile();
        metadata.icc.assign(icc->pData_, icc->pData_ + icc->size_);
    } else {
        const auto embedded = metadata.exif.findKey(Exiv2::ExifKey("Exif.Image.InterColorProfile"));
        if (embedded != metadata.exif.end())
            metadata.icc = bytesOf(embedded->value());
    }
    for (const std::string_view key : layoutTags)
        eraseKey(metadata.exif, key);
    for (auto datum = metadata.exif.begin(); datum != metadata.exif.end();) {
        if (datum->groupName().rfind("SubImage", 0) == 0)
            datum = metadata.exif.erase(datum);
        else
            ++datum;
    }
    return metadata;
}

std::optional<Density> exifDensity(const Exiv2::ExifData& exif) {
    const auto x = exif.findKey(Exiv2::ExifKey("Exif.Image.XResolution"));
    const auto y = exif.findKey(Exiv2::ExifKey("Exif.Image.YResolution"));
    if (x == exif.end() || y == exif.end())
        return std::nullopt;
    const Exiv2::Rational xValue = x->toRational();
    const Exiv2::Rational yValue = y->toRational();
    if (xValue.first <= 0 || xValue.second <= 0 || yValue.first <= 0 || yValue.second <= 0)
        return std::nullopt;
    const auto unitTag = exif.findKey(Exiv2::ExifKey("Exif.Image.ResolutionUnit"));
    const long unit = unitTag == exif.end() ? 2 : unitTag->toLong();
    if (unit != 2 && unit != 3)
        return std::nullopt;
    return Density{
        {static_cast<std::uint32_t>(xValue.first), static_cast<std::uint32_t>(xValue.second)},
        {static_cast<std::uint32_t>(yValue.first), static_cast<std::uint32_t>(yValue.second)},
        unit == 2 ? Density::Unit::Inch : Density::Unit::Centimetre};
}

void recordDensity(Metadata& metadata, const Density& density) {
    metadata.exif["Exif.Image.XResolution"] =
        Exiv2::URational(density.x.numerator, density.x.denominator);
    metadata.exif["Exif.Image.YResolution"] =
        Exiv2::URational(density.y.numerator, density.y.denominator);
    metadata.exif["Exif.Image.ResolutionUnit"] =
        static_cast<std::uint16_t>(density.unit == Density::Unit::Inch ? 2 : 3);
}

void forgetXmpResolution(Metadata& metadata) {
    for (const char* key :
         {"Xmp.tiff.XResolution", "Xmp.tiff.YResolution", "Xmp.tiff.ResolutionUnit"}) {
        const auto found = metadata.xmp.findKey(Exiv2::XmpKey(key));
        if (found != metadata.xmp.end())
            metadata.xmp.erase(found);
    }
}

std::vector<std::uint8_t> encodeExif(Metadata& metadata, std::size_t limit) {
    if (metadata.exif.empty())
        return {};
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
    if (blob.size() > limit) {
        Exiv2::ExifThumb(metadata.exif).erase();
        blob.clear();
        Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
    }
    return blob;
}

std::string encodeXmp(const Metadata& metadata) {
    std::string packet;
    if (metadata.xmp.empty())
        return packet;
    if (Exiv2::XmpParser::encode(packet, metadata.xmp, Exiv2::XmpParser::useCompactFormat) != 0)
        throw Exiv2::Error(Exiv2::kerErrorMessage, "cannot encode the XMP packet");
    return packet;
}

std::vector<std::uint8_t> encodeIptcResources(const Metadata& metadata) {
    if (metadata.iptc.empty())
        return {};
    const Exiv2::DataBuf resources = Exiv2::Photoshop::setIptcIrb(nullptr, 0, metadata.iptc);
    return std::vector<std::uint8_t>(resources.pData_, resources.pData_ + resources.size_);
}

std::string iccColourSpace(const std::vector<std::uint8_t>& icc) {
    if (icc.size() < 20)
        return {};
    return std::string(icc.begin() + 16, icc.begin() + 20);
}

std::vector<std::uint8_t> withJp2Metadata(const std::vector<std::uint8_t>& file,
                                          const Metadata& metadata,
                                          const std::vector<std::uint8_t>& icc) {
    Exiv2::Image::AutoPtr image =
        Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size()));
    image->setExifData(metadata.exif);
    image->setXmpData(metadata.xmp);
    image->setIptcData(metadata.iptc);
    if (!icc.empty()) {
        Exiv2::DataBuf profile(icc.data(), static_cast<long>(icc.size()));
        image->setIccProfile(profile, false);
    }
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    const Exiv2::byte* bytes = io.mmap();
    std::vector<std::uint8_t> result(bytes, bytes + io.size());
    io.munmap();
    return result;
}

} // namespace sips
