#include "metadata.h"

#include "messages.h"
#include "stdio_file.h"

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

// Runs an Exiv2 step; its failure (Exiv2's own errors and the standard library's range checks
// inside it) comes back as the reason. Running out of memory is not a metadata problem.
template <typename Step> std::optional<std::string> failureOf(Step&& step) {
    try {
        step();
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
}

std::optional<std::string> exifEncodingFailure(const Metadata& metadata) {
    return failureOf([&] {
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
    });
}

void dropMakerNotes(Exiv2::ExifData& exif) {
    for (auto datum = exif.begin(); datum != exif.end();) {
        if (Exiv2::ExifTags::isMakerGroup(datum->groupName()) ||
            datum->key() == "Exif.Photo.MakerNote")
            datum = exif.erase(datum);
        else
            ++datum;
    }
}

// Drops what Exiv2 read but cannot encode again, so that every writer after this can encode.
void keepWhatEncodes(Metadata& metadata) {
    if (!metadata.exif.empty() && exifEncodingFailure(metadata)) {
        dropMakerNotes(metadata.exif);
        const std::optional<std::string> failure = exifEncodingFailure(metadata);
        if (failure) {
            metadata.exif.clear();
            warn(metadata.file, "EXIF data dropped: it cannot be written again (" + *failure + ")");
        } else {
            warn(metadata.file, "camera maker's notes dropped: they cannot be written again");
        }
    }
    if (!metadata.xmp.empty()) {
        const std::optional<std::string> failure = failureOf([&] {
            std::string packet;
            if (Exiv2::XmpParser::encode(packet, metadata.xmp) != 0)
                throw Exiv2::Error(Exiv2::kerErrorMessage, "the XMP toolkit refused it");
        });
        if (failure) {
            metadata.xmp.clear();
            warn(metadata.file, "XMP data dropped: it cannot be written again (" + *failure + ")");
        }
    }
    if (!metadata.iptc.empty()) {
        const std::optional<std::string> failure =
            failureOf([&] { Exiv2::Photoshop::setIptcIrb(nullptr, 0, metadata.iptc); });
        if (failure) {
            metadata.iptc.clear();
            warn(metadata.file, "IPTC data dropped: it cannot be written again (" + *failure + ")");
        }
    }
}

// A rational tag's value, when it holds one.
std::optional<Exiv2::Rational> rationalOf(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->count() == 0)
        return std::nullopt;
    return found->toRational();
}

} // namespace

Metadata readMetadata(const std::string& path) {
    Metadata metadata;
    metadata.file = path;
    Exiv2::Image::AutoPtr image;
    const std::optional<std::string> unreadable = failureOf([&] {
        image = Exiv2::ImageFactory::open(openablePath(path));
        image->readMetadata();
    });
    if (unreadable) {
        warn(path, "metadata dropped: it cannot be read (" + *unreadable + ")");
        return metadata;
    }
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
    keepWhatEncodes(metadata);
    return metadata;
}

std::optional<Density> exifDensity(const Exiv2::ExifData& exif) {
    // Tags may hold no value at all (a count of 0); those record nothing.
    const std::optional<Exiv2::Rational> x = rationalOf(exif, "Exif.Image.XResolution");
    const std::optional<Exiv2::Rational> y = rationalOf(exif, "Exif.Image.YResolution");
    if (!x || !y)
        return std::nullopt;
    const Exiv2::Rational xValue = *x;
    const Exiv2::Rational yValue = *y;
    if (xValue.first <= 0 || xValue.second <= 0 || yValue.first <= 0 || yValue.second <= 0)
        return std::nullopt;
    const auto unitTag = exif.findKey(Exiv2::ExifKey("Exif.Image.ResolutionUnit"));
    // Absent, the unit is inches (TIFF's default).
    const long unit = unitTag == exif.end() || unitTag->count() == 0 ? 2 : unitTag->toLong();
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
    const std::optional<std::string> failure = failureOf([&] {
        Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
        if (blob.size() > limit) {
            Exiv2::ExifThumb(metadata.exif).erase();
            blob.clear();
            Exiv2::ExifParser::encode(blob, metadata.byteOrder, metadata.exif);
        }
    });
    if (failure) {
        warn(metadata.file, "EXIF data dropped: it cannot be written (" + *failure + ")");
        return {};
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

namespace {

std::vector<std::uint8_t> jp2WithMetadata(const std::vector<std::uint8_t>& file,
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

} // namespace

std::vector<std::uint8_t> withJp2Metadata(const std::vector<std::uint8_t>& file,
                                          const Metadata& metadata,
                                          const std::vector<std::uint8_t>& icc) {
    std::vector<std::uint8_t> result;
    std::optional<std::string> failure =
        failureOf([&] { result = jp2WithMetadata(file, metadata, icc); });
    if (!failure)
        return result;
    Metadata fewer = metadata;
    fewer.exif.clear();
    if (!metadata.exif.empty() && !failureOf([&] { result = jp2WithMetadata(file, fewer, icc); })) {
        warn(metadata.file, "EXIF data dropped: it cannot be written (" + *failure + ")");
        return result;
    }
    fewer.xmp.clear();
    fewer.iptc.clear();
    failure = failureOf([&] { result = jp2WithMetadata(file, fewer, icc); });
    if (!failure) {
        warn(metadata.file, "EXIF, XMP and IPTC data dropped: they cannot be written");
        return result;
    }
    warn(metadata.file,
         "metadata and colour profile dropped: they cannot be written (" + *failure + ")");
    return file;
}

} // namespace sips
