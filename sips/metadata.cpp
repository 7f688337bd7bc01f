#include "metadata.h"

#include "binary_fields.h"
#include "exif_structure.h"
#include "ifd0_edit.h"
#include "messages.h"
#include "stdio_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>

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

// Drops EXIF that Exiv2 read but cannot encode again, so that Exiv2 can encode the rest.
void keepEncodableExif(Metadata& metadata) {
    if (metadata.exif.empty() || !exifEncodingFailure(metadata))
        return;
    dropMakerNotes(metadata.exif);
    const std::optional<std::string> failure = exifEncodingFailure(metadata);
    if (failure) {
        metadata.exif.clear();
        warn(metadata.file, "EXIF data dropped: it cannot be written again (" + *failure + ")");
    } else {
        warn(metadata.file, "camera maker's notes dropped: they cannot be written again");
    }
}

// Drops what Exiv2 read but cannot encode again, so that every writer after this can encode.
// A source EXIF block that is edited in place needs no encoding: its check waits for a writer
// that encodes.
void keepWhatEncodes(Metadata& metadata) {
    if (metadata.exifBlock.empty())
        keepEncodableExif(metadata);
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

// The EXIF block a JPEG (its first EXIF APP1 segment, the one Exiv2 reads) or a PNG (its eXIf
// chunk) holds, or empty.
std::vector<std::uint8_t> exifBlockIn(std::span<const std::uint8_t> file) {
    static constexpr std::uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() >= 4 && file[0] == 0xFF && file[1] == 0xD8) {
        std::size_t at = 2;
        while (at + 4 <= file.size() && file[at] == 0xFF) {
            const int marker = file[at + 1];
            if (marker == 0xFF) { // fill byte
                ++at;
                continue;
            }
            if (marker == 0xDA || marker == 0xD9)
                break;
            const std::size_t length = readBigEndian(&file[at + 2], 2);
            if (length < 2 || length > file.size() - at - 2)
                break;
            const std::span<const std::uint8_t> payload = file.subspan(at + 4, length - 2);
            if (marker == 0xE1 && startsWith(payload, exifSignature, 6))
                return {payload.begin() + 6, payload.end()};
            at += 2 + length;
        }
    } else if (file.size() >= 8 && std::equal(png, png + 8, file.begin())) {
        for (std::size_t at = 8; at + 12 <= file.size();) {
            const std::size_t length = readBigEndian(&file[at], 4);
            if (length > file.size() - at - 12)
                break;
            if (std::memcmp(&file[at + 4], "eXIf", 4) == 0)
                return {file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length)};
            at += 12 + length;
        }
    }
    return {};
}

// The source's EXIF block, kept only where it holds together: else it is no better than
// Exiv2's reading of it.
std::vector<std::uint8_t> editableExifBlock(Exiv2::Image& image, const std::string& name) {
    Exiv2::BasicIo& io = image.io();
    if (io.open() != 0)
        return {};
    Exiv2::IoCloser closer(io);
    const Exiv2::byte* bytes = io.mmap();
    std::vector<std::uint8_t> block = exifBlockIn({bytes, io.size()});
    io.munmap();
    if (block.empty() || exifStructureSound(block))
        return block;
    warn(name, "EXIF block rewritten whole: its directories do not hold together");
    return {};
}

// A rational tag's value, when it holds one.
std::optional<Exiv2::Rational> rationalOf(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->count() == 0)
        return std::nullopt;
    return found->toRational();
}

// The IFD0 values `metadata.exif` holds otherwise than its source block: nullopt where one is
// not a single SHORT, LONG or RATIONAL, which only a whole new block can hold. Tags left out of
// `metadata.exif` (the source's layout) stay in the block: the copy keeps the source's bytes.
std::optional<std::vector<Ifd0Value>> changedIfd0Values(const Metadata& metadata) {
    Exiv2::ExifData source;
    Exiv2::ExifParser::decode(source, metadata.exifBlock.data(),
                              static_cast<std::uint32_t>(metadata.exifBlock.size()));
    std::vector<Ifd0Value> changed;
    for (const Exiv2::Exifdatum& datum : metadata.exif) {
        if (datum.groupName() != "Image")
            continue;
        const auto before = source.findKey(Exiv2::ExifKey(datum.key()));
        if (before != source.end() && before->typeId() == datum.typeId() &&
            before->count() == datum.count() && before->toString() == datum.toString())
            continue;
        if (datum.count() != 1)
            return std::nullopt;
        switch (datum.typeId()) {
        case Exiv2::unsignedShort:
        case Exiv2::unsignedLong:
            changed.push_back({datum.tag(), static_cast<std::uint16_t>(datum.typeId()),
                               static_cast<std::uint32_t>(datum.toLong()), 1});
            break;
        case Exiv2::unsignedRational: {
            const Exiv2::Rational value = datum.toRational();
            changed.push_back({datum.tag(), Ifd0Value::rationalType,
                               static_cast<std::uint32_t>(value.first),
                               static_cast<std::uint32_t>(value.second)});
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return changed;
}

std::optional<std::vector<std::uint8_t>> editedExifBlock(const Metadata& metadata) {
    std::optional<std::vector<Ifd0Value>> changed;
    if (failureOf([&] { changed = changedIfd0Values(metadata); }) || !changed)
        return std::nullopt;
    return withIfd0Values(metadata.exifBlock, *changed);
}

// Whether `packet` reads as `xmp`, property for property.
bool sameXmp(const Exiv2::XmpData& xmp, const std::string& packet) {
    Exiv2::XmpData source;
    if (failureOf([&] {
            if (Exiv2::XmpParser::decode(source, packet) != 0)
                source.clear();
        }) ||
        source.count() != xmp.count())
        return false;
    return std::equal(source.begin(), source.end(), xmp.begin(),
                      [](const Exiv2::Xmpdatum& a, const Exiv2::Xmpdatum& b) {
                          return a.key() == b.key() && a.typeId() == b.typeId() &&
                                 a.toString() == b.toString();
                      });
}

} // namespace

Metadata readMetadata(const std::string& path) {
    return readMetadata(path, path);
}

namespace {

template <typename Open> Metadata readMetadataWith(const std::string& name, Open&& open) {
    Metadata metadata;
    metadata.file = name;
    Exiv2::Image::AutoPtr image;
    const std::optional<std::string> unreadable = failureOf([&] {
        image = open();
        image->readMetadata();
    });
    if (unreadable) {
        warn(name, "metadata dropped: it cannot be read (" + *unreadable + ")");
        return metadata;
    }
    metadata.exif = image->exifData();
    if (!metadata.exif.empty()) {
        const std::optional<std::string> unmapped =
            failureOf([&] { metadata.exifBlock = editableExifBlock(*image, name); });
        if (unmapped)
            warn(name, "EXIF block rewritten whole: it cannot be read again (" + *unmapped + ")");
    }
    metadata.xmp = image->xmpData();
    // The const overload gives the packet as read; the other one encodes it anew.
    metadata.xmpPacket = std::as_const(*image).xmpPacket();
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

} // namespace

Metadata readMetadata(const std::string& path, const std::string& name) {
    return readMetadataWith(name, [&] { return Exiv2::ImageFactory::open(openablePath(path)); });
}

Metadata readMetadata(std::span<const std::uint8_t> file, const std::string& name) {
    return readMetadataWith(name, [&] {
        return Exiv2::ImageFactory::open(file.data(), static_cast<long>(file.size()));
    });
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
    if (!metadata.exifBlock.empty()) {
        std::optional<std::vector<std::uint8_t>> edited = editedExifBlock(metadata);
        if (edited && edited->size() <= limit)
            return std::move(*edited);
        warn(metadata.file, edited ? "EXIF block rewritten whole: edited, it outgrows its segment"
                                   : "EXIF block rewritten whole: it cannot be edited in place");
        metadata.exifBlock.clear();
        keepEncodableExif(metadata);
        if (metadata.exif.empty())
            return {};
    }
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
    if (!metadata.xmpPacket.empty() && sameXmp(metadata.xmp, metadata.xmpPacket))
        return metadata.xmpPacket;
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
                                          const Metadata& source,
                                          const std::vector<std::uint8_t>& icc) {
    // Exiv2 encodes the EXIF of a JPEG 2000 file anew.
    Metadata metadata = source;
    keepEncodableExif(metadata);
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
