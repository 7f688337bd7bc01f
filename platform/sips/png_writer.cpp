#include "png_writer.h"

#include "failure.h"
#include "png_support.h"

#include <bit>

namespace sips {

namespace {

// zlib level 2 with the Sub filter: measured on an 18-megapixel photograph, a third of the time of
// level 6 with adaptive filtering, and still smaller than the vips tool's default output.
constexpr int compressionLevel = 2;

// Owns libpng's write structures.
struct PngWrite final {
    PngErrors errors;
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngWrite() {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, pngRecordAndResume,
                                      pngIgnoreWarning);
        if (png != nullptr)
            info = png_create_info_struct(png);
    }
    PngWrite(const PngWrite&) = delete;
    PngWrite& operator=(const PngWrite&) = delete;
    ~PngWrite() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

int colourTypeOf(ColourModel model) {
    switch (model) {
    case ColourModel::Grey:
        return PNG_COLOR_TYPE_GRAY;
    case ColourModel::GreyAlpha:
        return PNG_COLOR_TYPE_GRAY_ALPHA;
    case ColourModel::RgbAlpha:
        return PNG_COLOR_TYPE_RGB_ALPHA;
    default:
        return PNG_COLOR_TYPE_RGB;
    }
}

} // namespace

void writePng(RowReader& source, std::FILE* out, const std::string& target,
              const PngExtras& extras) {
    const Layout& layout = source.layout();
    PngWrite write;
    if (write.png == nullptr || write.info == nullptr)
        throw Failure(target, "out of memory");
    png_structp png = write.png;
    png_infop info = write.info;

    char xmpKey[] = "XML:com.adobe.xmp";
    char iccName[] = "ICC profile";
    png_text xmpText{};
    xmpText.compression = PNG_ITXT_COMPRESSION_NONE;
    xmpText.key = xmpKey;
    xmpText.text = const_cast<char*>(extras.xmp.c_str());
    xmpText.itxt_length = extras.xmp.size();

    const bool started = pngGuarded(png, [&] {
        png_init_io(png, out);
        png_set_compression_level(png, compressionLevel);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_IHDR(png, info, layout.width, layout.height, layout.bits,
                     colourTypeOf(layout.model), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                     PNG_FILTER_TYPE_BASE);
        if (extras.density) {
            png_set_pHYs(png, info, extras.density->xPixelsPerMetre(),
                         extras.density->yPixelsPerMetre(), PNG_RESOLUTION_METER);
        }
        if (!extras.icc.empty()) {
            png_set_iCCP(png, info, iccName, PNG_COMPRESSION_TYPE_BASE, extras.icc.data(),
                         static_cast<png_uint_32>(extras.icc.size()));
        }
        if (!extras.exif.empty()) {
            png_set_eXIf_1(png, info, static_cast<png_uint_32>(extras.exif.size()),
                           const_cast<png_bytep>(extras.exif.data()));
        }
        if (!extras.xmp.empty())
            png_set_text(png, info, &xmpText, 1);
        png_write_info(png, info);
        if (layout.bits == 16 && std::endian::native == std::endian::little)
            png_set_swap(png);
    });
    if (!started)
        throw Failure(target, std::string("cannot encode PNG: ") + write.errors.message);

    std::vector<std::uint8_t> row(layout.rowBytes());
    std::uint8_t* data = row.data();
    for (std::uint32_t y = 0; y < layout.height; ++y) {
        source.read(data, 1);
        if (!pngGuarded(png, [&] { png_write_row(png, data); }))
            throw Failure(target, std::string("cannot encode PNG: ") + write.errors.message);
    }
    if (!pngGuarded(png, [&] { png_write_end(png, info); }))
        throw Failure(target, std::string("cannot encode PNG: ") + write.errors.message);
}

} // namespace sips
