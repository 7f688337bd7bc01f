#pragma once

#include "density.h"

#include <exiv2/exiv2.hpp>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sips {

// The metadata a picture carries besides its pixels, as Exiv2 reads it from any format.
struct Metadata {
    std::string file; // the file it was read from, named in warnings
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
    std::vector<std::uint8_t> icc;
    Exiv2::ByteOrder byteOrder = Exiv2::littleEndian;
    // The EXIF block (a TIFF structure) as a JPEG's APP1 or a PNG's eXIf holds it, and the XMP
    // packet as the file holds it: what is written again where nothing in them changed.
    std::vector<std::uint8_t> exifBlock;
    std::string xmpPacket;
};

// Reads EXIF, XMP, IPTC and the ICC profile. EXIF tags that describe the source file's own layout
// (strips, depth, embedded profile or packets) are left out: the new file describes itself.
// What cannot be read, or could not be written again (Exiv2 reads some blocks it cannot encode,
// such as makers' notes moved by other tools), is dropped with a warning: the pixels matter more.
// An EXIF block that can be edited in place is kept whole for encodeExif.
Metadata readMetadata(const std::string& path);
// The same, for a file that warnings call by another name, such as a carried source.
Metadata readMetadata(const std::string& path, const std::string& name);
// The same, of a picture held in memory.
Metadata readMetadata(std::span<const std::uint8_t> file, const std::string& name);

// The resolution the EXIF tags record, if they record one.
std::optional<Density> exifDensity(const Exiv2::ExifData& exif);

// Sets the EXIF resolution tags to `density`.
void recordDensity(Metadata& metadata, const Density& density);

// Drops the resolution XMP may record, so that no older value outlives a new one.
void forgetXmpResolution(Metadata& metadata);

// The EXIF data as a TIFF structure (what PNG's eXIf holds and JPEG's APP1 wraps). The source's
// block is edited in place where it can be, so that every byte besides the IFD0 values that
// changed stays as it was; else (with a warning) Exiv2 encodes the block anew. For JPEG the
// thumbnail is then dropped when the block would not fit in one segment; EXIF that cannot be
// encoded is dropped with a warning.
std::vector<std::uint8_t> encodeExif(Metadata& metadata, std::size_t limit);

// The XMP packet, or an empty string when there is none: the source's packet as it stands when
// nothing in it changed.
std::string encodeXmp(const Metadata& metadata);

// IPTC as Photoshop image resources, or empty when there is none.
std::vector<std::uint8_t> encodeIptcResources(const Metadata& metadata);

// The colour space an ICC profile's header names: "RGB ", "GRAY", "CMYK", ... or "".
std::string iccColourSpace(const std::vector<std::uint8_t>& icc);

// The JP2 file held in `file` with EXIF, XMP, IPTC and the ICC profile added (as a colr box and
// the standard uuid boxes). What Exiv2 cannot write is left out with a warning.
std::vector<std::uint8_t> withJp2Metadata(const std::vector<std::uint8_t>& file,
                                          const Metadata& metadata,
                                          const std::vector<std::uint8_t>& icc);

} // namespace sips
