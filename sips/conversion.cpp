#include "conversion.h"

#include "atomic_file.h"
#include "binary_fields.h"
#include "carry.h"
#include "failure.h"
#include "file_kind.h"
#include "jp2_boxes.h"
#include "jp2_reader.h"
#include "jp2_writer.h"
#include "jpeg_copy.h"
#include "jpeg_planes.h"
#include "jpeg_reader.h"
#include "jpeg_transcode.h"
#include "jpeg_writer.h"
#include "messages.h"
#include "metadata.h"
#include "photoshop_block.h"
#include "pixel_adapters.h"
#include "png_copy.h"
#include "png_reader.h"
#include "png_recode.h"
#include "png_skeleton.h"
#include "png_writer.h"
#include "stdio_file.h"
#include "tiff_fit.h"
#include "tiff_reader.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace sips {

namespace {

// A decoder for a picture and the resolution its own headers record (JFIF, pHYs).
struct Source {
    std::unique_ptr<RowReader> reader;
    std::optional<Density> density;
    // Set when `reader` gives a JPEG's YCbCr planes as row groups rather than pixels.
    std::optional<YccPlanes> planes;
};

// `verified`: the file's bytes matched a recorded SHA-256, so its own checksums add nothing.
Source openSource(const std::string& path, FileKind kind, bool verified = false) {
    switch (kind) {
    case FileKind::Jpeg: {
        auto reader = std::make_unique<JpegReader>(path);
        std::optional<Density> density = reader->density();
        return {std::move(reader), density, std::nullopt};
    }
    case FileKind::Png: {
        auto reader = std::make_unique<PngReader>(path, verified ? PngChecksums::SkipVerified
                                                                 : PngChecksums::Check);
        std::optional<Density> density = reader->density();
        return {std::move(reader), density, std::nullopt};
    }
    case FileKind::Tiff:
        return {std::make_unique<TiffReader>(path), std::nullopt, std::nullopt};
    case FileKind::Jp2:
    case FileKind::J2kCodestream:
        return {std::make_unique<Jp2Reader>(path, kind), std::nullopt, std::nullopt};
    }
    throw Failure(path, "unsupported file");
}

// The source of a JPEG 2000 intermediate: a JPEG's own planes where they stand for the picture
// (half the samples of RGB for 4:2:0, no colour conversion on the way), else its pixels.
Source openIntermediateSource(const std::string& path, FileKind kind) {
    if (kind == FileKind::Jpeg) {
        if (std::unique_ptr<JpegPlaneReader> planes = JpegPlaneReader::open(path)) {
            const YccPlanes geometry = planes->planes();
            std::optional<Density> density = planes->density();
            return {std::move(planes), density, geometry};
        }
    }
    return openSource(path, kind);
}

// The resolution a picture records: its EXIF tags, else its own header's.
std::optional<Density> recordedDensity(const Metadata& metadata, const Source& source) {
    const std::optional<Density> exif = exifDensity(metadata.exif);
    return exif ? exif : source.density;
}

// The resolution the command line asks for, falling back to `recorded`, per axis.
std::optional<Density> requestedDensity(const Request& request,
                                        const std::optional<Density>& recorded) {
    if (!request.dpiWidth && !request.dpiHeight)
        return std::nullopt;
    const auto fallback = [&](double recordedDpi) {
        return static_cast<std::uint32_t>(std::max(1.0, std::round(recordedDpi)));
    };
    const std::uint32_t x = request.dpiWidth ? *request.dpiWidth
                            : recorded       ? fallback(recorded->xDpi())
                                             : *request.dpiHeight;
    const std::uint32_t y = request.dpiHeight ? *request.dpiHeight
                            : recorded        ? fallback(recorded->yDpi())
                                              : *request.dpiWidth;
    return Density::dotsPerInch(x, y);
}

// What the command line asks for, else (for a copy made from a carried source) what the
// intermediate `input` records: its resolution is the one the user chose in an earlier step.
std::optional<Density> densityFor(const Request& request, FileKind kind) {
    if (request.dpiWidth && request.dpiHeight)
        return Density::dotsPerInch(*request.dpiWidth, *request.dpiHeight);
    const Source input = openSource(request.input, kind);
    const std::optional<Density> recorded = recordedDensity(readMetadata(request.input), input);
    const std::optional<Density> asked = requestedDensity(request, recorded);
    return asked ? asked : recorded;
}

JpegSegment segment(int marker, const char* signature, std::size_t signatureSize,
                    const std::vector<std::uint8_t>& body) {
    JpegSegment result{marker, std::vector<std::uint8_t>(signature, signature + signatureSize)};
    result.bytes.insert(result.bytes.end(), body.begin(), body.end());
    return result;
}

JpegSegment exifSegment(Metadata& metadata) {
    // EXIF in a JPEG file names its chroma siting; JFIF's, which libjpeg follows, is centred.
    const Exiv2::ExifKey siting("Exif.Image.YCbCrPositioning");
    if (!metadata.exif.empty() && metadata.exif.findKey(siting) == metadata.exif.end())
        metadata.exif[siting.key()] = std::uint16_t{1};
    const std::vector<std::uint8_t> exif =
        encodeExif(metadata, largestSegmentPayload - sizeof exifSignature);
    return exif.empty() ? JpegSegment{JPEG_APP0 + 1, {}}
                        : segment(JPEG_APP0 + 1, exifSignature, sizeof exifSignature, exif);
}

JpegSegment xmpSegment(const Metadata& metadata) {
    const std::string packet = encodeXmp(metadata);
    return packet.empty() ? JpegSegment{JPEG_APP0 + 1, {}}
                          : segment(JPEG_APP0 + 1, xmpSignature, sizeof xmpSignature,
                                    std::vector<std::uint8_t>(packet.begin(), packet.end()));
}

// Keeps the profile only where it describes the output's colour model.
std::vector<std::uint8_t> profileFor(const Metadata& metadata, ColourModel model) {
    const std::string space = iccColourSpace(metadata.icc);
    const bool fits =
        (space == "GRAY" && (model == ColourModel::Grey || model == ColourModel::GreyAlpha)) ||
        (space == "RGB " && (model == ColourModel::Rgb || model == ColourModel::RgbAlpha)) ||
        (space == "CMYK" && model == ColourModel::Cmyk);
    return fits ? metadata.icc : std::vector<std::uint8_t>{};
}

void expectSize(PictureSize found, std::optional<PictureSize> expected, const std::string& name) {
    if (expected && found != *expected)
        throw Failure(name, "the picture has another size than its carry says");
}

// Writes `target` with `copy`, a byte-level copy of the file `path` (`name` in messages). When
// that refuses the file's structure, with `recode`, which reads past such damage without loss,
// and says so: "the copy was `how`". A file neither takes is refused for the first reason. Both
// return the picture's size.
template <typename Copy, typename Recode>
void copyOrRecode(const std::string& path, const std::string& name, const std::string& target,
                  std::optional<PictureSize> expected, Copy&& copy, Recode&& recode,
                  const char* how) {
    const std::size_t warnings = heldWarningCount();
    std::optional<Failure> refusal;
    {
        FilePtr in = openForReading(path);
        AtomicFile out(target);
        std::optional<PictureSize> size;
        try {
            size = copy(in.get(), out);
        } catch (const Failure& failure) {
            if (failure.file() != name) // not the source's structure
                throw;
            refusal = failure;
        }
        if (size) {
            expectSize(*size, expected, name);
            out.commit();
            return;
        }
    }
    forgetWarningsAfter(warnings);
    warn(name, std::string(refusal->what()) + "; the copy was " + how + ", without loss");
    try {
        AtomicFile out(target);
        expectSize(recode(out), expected, name);
        out.commit();
    } catch (const Failure& failure) {
        forgetWarningsAfter(warnings);
        if (failure.file() == name)
            throw *refusal;
        throw;
    }
}

// JPEG data copied as it is, with `density` recorded in its metadata when set.
void copyJpegFile(const std::string& path, const std::string& name, const std::string& target,
                  const std::optional<Density>& density, std::optional<PictureSize> expected) {
    JpegEdits edits;
    if (density) {
        Metadata metadata = readMetadata(path, name);
        recordDensity(metadata, *density);
        forgetXmpResolution(metadata);
        edits.density = density;
        edits.exif = exifSegment(metadata);
        edits.xmp = xmpSegment(metadata);
        edits.dropPhotoshopResolution = true;
    }
    copyOrRecode(
        path, name, target, expected,
        [&](std::FILE* in, AtomicFile& out) {
            return copyJpeg(in, name, out.stream(), out.target(), edits);
        },
        [&](AtomicFile& out) {
            return transcodeJpeg(path, name, out.stream(), out.target(), edits);
        },
        "coded anew from the same coefficients");
}

void copyPngFile(const std::string& path, const std::string& name, const std::string& target,
                 const std::optional<Density>& density, std::optional<PictureSize> expected) {
    copyOrRecode(
        path, name, target, expected,
        [&](std::FILE* in, AtomicFile& out) {
            return copyPng(in, name, out.stream(), out.target(), density);
        },
        [&](AtomicFile& out) { return recodePng(path, name, out.stream(), out.target(), density); },
        "encoded anew from the same samples");
}

// `carry`: the source a JPEG written in place of an intermediate carries on, so that a PNG made
// from it can be exact.
void writeJpegFile(RowReader& source, AtomicFile& out, Metadata& metadata,
                   const std::optional<Density>& density, const CarryOnward* carry) {
    const Layout& from = source.layout();
    const ColourModel model = from.model == ColourModel::GreyAlpha  ? ColourModel::Grey
                              : from.model == ColourModel::RgbAlpha ? ColourModel::Rgb
                                                                    : from.model;
    std::unique_ptr<PixelConverter> converter;
    if (model != from.model || from.bits != 8)
        converter = std::make_unique<PixelConverter>(source, model, 8);

    JpegExtras extras;
    extras.density = density;
    extras.icc = profileFor(metadata, model);
    for (JpegSegment part : {exifSegment(metadata), xmpSegment(metadata)}) {
        if (!part.bytes.empty())
            extras.segments.push_back(std::move(part));
    }
    const std::vector<std::uint8_t> iptc = encodeIptcResources(metadata);
    if (!iptc.empty())
        extras.segments.push_back(
            segment(JPEG_APP0 + 13, photoshopSignature, sizeof photoshopSignature, iptc));
    CarryPlacement placement;
    if (carry)
        extras.streamedSegments = [&](const JpegBytesWriter& write) {
            if (writeJpegCarry(write, *carry)) {
                placement.source = carry->digest;
                placement.fieldsOffset = 0; // found by sealJpegCarry
            }
        };
    writeJpeg(converter ? *converter : source, out.stream(), out.target(), extras);
    if (carry)
        sealJpegCarry(out, placement);
}

void writePngFile(RowReader& source, AtomicFile& out, Metadata& metadata,
                  const std::optional<Density>& density) {
    const Layout& from = source.layout();
    std::unique_ptr<PixelConverter> converter;
    if (from.model == ColourModel::Cmyk)
        converter = std::make_unique<PixelConverter>(source, ColourModel::Rgb, 8);
    RowReader& pixels = converter ? *converter : source;

    PngExtras extras;
    extras.density = density;
    extras.icc = profileFor(metadata, pixels.layout().model);
    extras.exif = encodeExif(metadata, 0xFFFFFFFFu);
    extras.xmp = encodeXmp(metadata);
    writePng(pixels, out.stream(), out.target(), extras);
}

// The file a JP2 intermediate carries, so that the copy made from it can be exact.
struct CarryRequest {
    std::string path;
    CarriedKind kind;
};

void writeJp2File(const Source& source, AtomicFile& out, const Metadata& metadata,
                  const std::optional<CarryRequest>& carry) {
    const std::optional<YccPlanes>& planes = source.planes;
    const Layout layout = planes ? Layout{planes->width, planes->height, ColourModel::Rgb, 8}
                                 : source.reader->layout();
    // Planes are taken only from a JPEG without a profile.
    const std::vector<std::uint8_t> icc =
        planes ? std::vector<std::uint8_t>{} : profileFor(metadata, layout.model);
    std::vector<std::uint8_t> header = jp2Skeleton(layout);
    if (!icc.empty() || !metadata.exif.empty() || !metadata.xmp.empty() || !metadata.iptc.empty()) {
        header = withJp2Metadata(header, metadata, icc);
        if (icc.empty() && !relabelJp2ColourSpace(header, layout.model))
            throw Failure(out.target(), "cannot record the colour space in the JPEG 2000 header");
    }
    if (planes && !labelJp2Sycc(header))
        throw Failure(out.target(), "cannot record the colour space in the JPEG 2000 header");
    const std::span<const std::uint8_t> boxes = jp2BoxesBeforeCodestream(header);
    if (boxes.empty() || std::fwrite(boxes.data(), 1, boxes.size(), out.stream()) != boxes.size())
        failWriting(out.stream(), out.target(), "cannot write the JPEG 2000 header");
    const Jp2Codestream codestream =
        writeJp2Codestream(*source.reader, planes, out.stream(), out.target());
    // The carry follows the codestream: a large box before it trips readers that stream the file.
    if (carry && codestream.bounded) {
        const CarryPlacement placement = writeJp2Carry(out.stream(), out.target(), carry->path,
                                                       carry->kind, {layout.width, layout.height});
        sealJp2Carry(out, placement, codestream.digest);
    }
}

// The source an intermediate may carry: JPEG and PNG files always, TIFF where PNG holds it.
std::optional<CarryRequest> carryFor(const std::string& path, FileKind kind) {
    switch (kind) {
    case FileKind::Jpeg:
        return CarryRequest{path, CarriedKind::Jpeg};
    case FileKind::Png:
        return CarryRequest{path, CarriedKind::Png};
    case FileKind::Tiff:
        if (pngHoldsTiff(path))
            return CarryRequest{path, CarriedKind::Tiff};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Makes the copy from the source an intermediate carries instead of from the intermediate.
void convertCarried(const Request& request, FileKind inputKind, const std::string& target,
                    const CarriedSource& carried) {
    const std::optional<Density> density = densityFor(request, inputKind);
    const std::string& path = carried.path();
    const std::string name = request.input + " (carried source)";
    const FileKind kind = fileKindOf(carried.kind());
    if (request.format == OutputFormat::Jpeg && kind == FileKind::Jpeg)
        return copyJpegFile(path, name, target, density, carried.size());
    if (request.format == OutputFormat::Png && kind == FileKind::Png)
        return copyPngFile(path, name, target, density, carried.size());
    AtomicFile out(target);
    Source source = openSource(path, kind, true);
    const Layout& layout = source.reader->layout();
    expectSize({layout.width, layout.height}, carried.size(), name);
    Metadata metadata = readMetadata(path, name);
    if (density) {
        recordDensity(metadata, *density);
        forgetXmpResolution(metadata);
    }
    // A file rewritten in place is an intermediate and carries its source on; a copy written
    // elsewhere carries nothing.
    const bool carryOn = target == request.input;
    if (request.format == OutputFormat::Jpeg && carryOn && !jpegCanHold(layout))
        // Too wide for libjpeg: the intermediate stays JPEG 2000, which the next step reads by
        // its content, and carries its source on with the new resolution.
        writeJp2File(source, out, metadata, CarryRequest{path, carried.kind()});
    else if (request.format == OutputFormat::Jpeg && carryOn) {
        const FilePtr bytes = openForReading(path);
        const CarryOnward carry{carried.kind(), carried.size(), carried.digest(), bytes.get(),
                                sizeOf(bytes.get())};
        writeJpegFile(*source.reader, out, metadata, density, &carry);
    } else if (request.format == OutputFormat::Jpeg)
        writeJpegFile(*source.reader, out, metadata, density, nullptr);
    else
        writePngFile(*source.reader, out, metadata, density);
    out.commit();
}

// PNGs of up to this much besides their image data have it read from memory.
constexpr std::size_t largestPngMetadata = std::size_t{16} << 20;

// A PNG's metadata is read from its chunks, its image data read past in large blocks: Exiv2
// would walk the image data in two system calls a chunk.
Metadata readSourceMetadata(const std::string& path, FileKind kind) {
    if (kind == FileKind::Png) {
        const FilePtr chunks = openForReading(path);
        if (const auto skeleton = pngWithoutImageData(chunks.get(), largestPngMetadata))
            return readMetadata(*skeleton, path);
    }
    return readMetadata(path);
}

// Writes `target` as a JPEG from the PNG `carried`, kept only once its digests are verified.
bool writeJpegFromCarriedPng(const Request& request, const std::string& target,
                             CarryInPlace& carried) {
    const std::string name = request.input + " (carried source)";
    const std::optional<Density> density = densityFor(request, FileKind::Jp2);
    const std::optional<std::vector<std::uint8_t>> skeleton = [&] {
        const FilePtr chunks = carried.open();
        return chunks ? pngWithoutImageData(chunks.get(), largestPngMetadata) : std::nullopt;
    }();
    FilePtr pixels = carried.open();
    const FilePtr onward = carried.open();
    if (!skeleton || !pixels || !onward)
        return false;
    Metadata metadata = readMetadata(*skeleton, name);
    if (density) {
        recordDensity(metadata, *density);
        forgetXmpResolution(metadata);
    }
    AtomicFile out(target);
    PngReader reader(std::move(pixels), carried.length(), name, PngChecksums::SkipVerified);
    const Layout& layout = reader.layout();
    expectSize({layout.width, layout.height}, carried.size(), name);
    const CarryOnward carry{carried.kind(), carried.size(), carried.digest(), onward.get(),
                            carried.length()};
    writeJpegFile(reader, out, metadata, density, target == request.input ? &carry : nullptr);
    if (!carried.verified())
        return false;
    out.commit();
    return true;
}

// The JPEG made from the PNG a JP2 intermediate carries, read where it lies in the intermediate
// and decoded while its digests are checked: no copy of it in memory, and no wait for the
// digests before decoding. False, with nothing written and nothing said, for any other carry, or
// one that does not verify or fails to convert: the whole lookup then judges it as ever.
bool convertCarriedPngInPlace(const Request& request, const std::string& target) {
    const std::size_t warnings = heldWarningCount();
    try {
        const std::unique_ptr<CarryInPlace> carried =
            CarryInPlace::find(request.input, CarriedKind::Png);
        if (carried &&
            jpegCanHold({carried->size().width, carried->size().height, ColourModel::Rgb, 8}) &&
            writeJpegFromCarriedPng(request, target, *carried))
            return true;
    } catch (const Failure&) {
        // Judged again, and said, by the whole lookup.
    }
    forgetWarningsAfter(warnings);
    return false;
}

void convertDirect(const Request& request, FileKind kind, const std::string& target) {
    const bool jpegCopy = kind == FileKind::Jpeg && request.format == OutputFormat::Jpeg;
    if (jpegCopy || (kind == FileKind::Png && request.format == OutputFormat::Png)) {
        // Without a new resolution the source's own records (a JFIF header, pHYs) travel unchanged.
        const std::optional<Density> asked =
            request.dpiWidth || request.dpiHeight ? densityFor(request, kind) : std::nullopt;
        if (jpegCopy)
            return copyJpegFile(request.input, request.input, target, asked, std::nullopt);
        return copyPngFile(request.input, request.input, target, asked, std::nullopt);
    }

    Source source = request.format == OutputFormat::Jp2
                        ? openIntermediateSource(request.input, kind)
                        : openSource(request.input, kind);
    Metadata metadata = readSourceMetadata(request.input, kind);
    const std::optional<Density> recorded = recordedDensity(metadata, source);
    const std::optional<Density> asked = requestedDensity(request, recorded);
    const std::optional<Density> density = asked ? asked : recorded;
    if (density)
        recordDensity(metadata, *density);
    if (asked)
        forgetXmpResolution(metadata);

    AtomicFile out(target);
    switch (request.format) {
    case OutputFormat::Jpeg:
        writeJpegFile(*source.reader, out, metadata, density, nullptr);
        break;
    case OutputFormat::Png:
        writePngFile(*source.reader, out, metadata, density);
        break;
    case OutputFormat::Jp2:
        writeJp2File(source, out, metadata, carryFor(request.input, kind));
        break;
    }
    out.commit();
}

// The input's carry, looked up. A carry that does not match the input's image is reported and
// passed over: the copy is then made from the input's own image.
CarryLookup lookUpUsableCarry(const std::string& input, FileKind kind) {
    try {
        CarryLookup lookup = lookUpCarry(input, kind);
        if (!lookup.problem.empty())
            warn(input, lookup.problem + "; converting the image itself instead");
        return lookup;
    } catch (const Failure& failure) {
        // The conversion itself judges a damaged input; anything else is said.
        if (failure.file() != input)
            warn(input, std::string("cannot read the carried source (") + failure.what() +
                            "); converting the image itself instead");
        return {};
    }
}

} // namespace

void convert(const Request& request) {
    const HeldInput input(request.input);
    const FileKind kind = detectFileKind(request.input);
    const std::string target = request.out.value_or(request.input);
    if (request.format == OutputFormat::Jp2)
        return convertDirect(request, kind, target);
    if (kind == FileKind::Jp2 && request.format == OutputFormat::Jpeg &&
        convertCarriedPngInPlace(request, target))
        return;
    CarryLookup carry = lookUpUsableCarry(request.input, kind);
    if (carry.source) {
        try {
            convertCarried(request, kind, target, *carry.source);
            return;
        } catch (const Failure& failure) {
            if (failure.file() == target) // writing failed, not the carried source
                throw;
            warn(request.input, std::string("cannot use the carried source (") + failure.what() +
                                    "); converting the image itself instead");
        }
    }
    if (!carry.standby)
        return convertDirect(request, kind, target);
    try {
        convertDirect(request, kind, target);
    } catch (const Failure& failure) {
        if (failure.file() != request.input) // not the input's image that failed
            throw;
        warn(request.input, std::string("its image cannot be decoded (") + failure.what() +
                                "); the copy is made from the source it carries");
        convertCarried(request, kind, target, *carry.standby);
    }
}

} // namespace sips
