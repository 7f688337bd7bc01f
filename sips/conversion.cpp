#include "conversion.h"

#include "atomic_file.h"
#include "failure.h"
#include "file_kind.h"
#include "jp2_boxes.h"
#include "jp2_reader.h"
#include "jp2_writer.h"
#include "jpeg_reader.h"
#include "jpeg_transcode.h"
#include "jpeg_writer.h"
#include "metadata.h"
#include "photoshop_block.h"
#include "pixel_adapters.h"
#include "png_reader.h"
#include "png_writer.h"
#include "tiff_reader.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace sips {

namespace {

constexpr char exifSignature[] = "Exif\0"; // with its NUL: "Exif\0\0"
constexpr char xmpSignature[] = "http://ns.adobe.com/xap/1.0/";

// A decoder for the input and the resolution its own headers record (JFIF, pHYs).
struct Source {
    std::unique_ptr<RowReader> reader;
    std::optional<Density> density;
};

Source openSource(const std::string& path, FileKind kind) {
    switch (kind) {
    case FileKind::Jpeg: {
        auto reader = std::make_unique<JpegReader>(path);
        std::optional<Density> density = reader->density();
        return {std::move(reader), density};
    }
    case FileKind::Png: {
        auto reader = std::make_unique<PngReader>(path);
        std::optional<Density> density = reader->density();
        return {std::move(reader), density};
    }
    case FileKind::Tiff:
        return {std::make_unique<TiffReader>(path), std::nullopt};
    case FileKind::Jp2:
    case FileKind::J2kCodestream:
        return {std::make_unique<Jp2Reader>(path, kind), std::nullopt};
    }
    throw Failure(path, "unsupported file");
}

// The resolution the command line asks for, falling back to the source's, per axis.
std::optional<Density> requestedDensity(const Request& request,
                                        const std::optional<Density>& source) {
    if (!request.dpiWidth && !request.dpiHeight)
        return std::nullopt;
    const auto fallback = [&](double sourceDpi) {
        return static_cast<std::uint32_t>(std::max(1.0, std::round(sourceDpi)));
    };
    const std::uint32_t x = request.dpiWidth ? *request.dpiWidth
                            : source         ? fallback(source->xDpi())
                                             : *request.dpiHeight;
    const std::uint32_t y = request.dpiHeight ? *request.dpiHeight
                            : source          ? fallback(source->yDpi())
                                              : *request.dpiWidth;
    return Density::dotsPerInch(x, y);
}

JpegSegment segment(int marker, const char* signature, std::size_t signatureSize,
                    const std::vector<std::uint8_t>& body) {
    JpegSegment result{marker, std::vector<std::uint8_t>(signature, signature + signatureSize)};
    result.bytes.insert(result.bytes.end(), body.begin(), body.end());
    return result;
}

JpegSegment exifSegment(Metadata& metadata) {
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

void rewriteJpegData(const Request& request, const std::string& target, Metadata metadata) {
    JpegEdits edits;
    // Without a new resolution the source's segments, JFIF header included, travel unchanged.
    edits.density = requestedDensity(request, exifDensity(metadata.exif));
    if (edits.density) {
        recordDensity(metadata, *edits.density);
        forgetXmpResolution(metadata);
        edits.exif = exifSegment(metadata);
        edits.xmp = xmpSegment(metadata);
        edits.dropPhotoshopResolution = true;
    }
    AtomicFile out(target);
    transcodeJpeg(request.input, out.stream(), target, edits);
    out.commit();
}

void writeJpegFile(RowReader& source, AtomicFile& out, Metadata& metadata,
                   const std::optional<Density>& density) {
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
    writeJpeg(converter ? *converter : source, out.stream(), out.target(), extras);
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

void writeJp2File(RowReader& source, AtomicFile& out, const Metadata& metadata) {
    const Layout& layout = source.layout();
    const std::vector<std::uint8_t> icc = profileFor(metadata, layout.model);
    std::vector<std::uint8_t> header = jp2Skeleton(layout);
    if (!icc.empty() || !metadata.exif.empty() || !metadata.xmp.empty() || !metadata.iptc.empty()) {
        header = withJp2Metadata(header, metadata, icc);
        if (icc.empty() && !relabelJp2ColourSpace(header, layout.model))
            throw Failure(out.target(), "cannot record the colour space in the JPEG 2000 header");
    }
    writeJp2(source, jp2BoxesBeforeCodestream(header), out.stream(), out.target());
}

} // namespace

void convert(const Request& request) {
    const FileKind kind = detectFileKind(request.input);
    const std::string target = request.out.value_or(request.input);

    if (kind == FileKind::Jpeg && request.format == OutputFormat::Jpeg) {
        rewriteJpegData(request, target, readMetadata(request.input));
        return;
    }

    Source source = openSource(request.input, kind);
    Metadata metadata = readMetadata(request.input);
    const std::optional<Density> recorded =
        exifDensity(metadata.exif) ? exifDensity(metadata.exif) : source.density;
    const std::optional<Density> asked = requestedDensity(request, recorded);
    const std::optional<Density> density = asked ? asked : recorded;
    if (density)
        recordDensity(metadata, *density);
    if (asked)
        forgetXmpResolution(metadata);

    AtomicFile out(target);
    switch (request.format) {
    case OutputFormat::Jpeg:
        writeJpegFile(*source.reader, out, metadata, density);
        break;
    case OutputFormat::Png:
        writePngFile(*source.reader, out, metadata, density);
        break;
    case OutputFormat::Jp2:
        writeJp2File(*source.reader, out, metadata);
        break;
    }
    out.commit();
}

} // namespace sips
