#include "tiff_fit.h"

#include "stdio_file.h"

#include <memory>
#include <tiffio.h>

namespace sips {

bool pngHoldsTiff(const std::string& path) {
    OwnedDescriptor file = openDescriptorForReading(path);
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFFdOpen(file.get(), path.c_str(), "rm"),
                                                      TIFFClose);
    if (!tiff)
        return false;
    file.release(); // closed with the TIFF
    if (TIFFNumberOfDirectories(tiff.get()) != 1)
        return false;
    std::uint16_t bits = 0;
    std::uint16_t photometric = 0;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    if (!TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric))
        return false;
    const bool greyOrColour = photometric == PHOTOMETRIC_MINISBLACK ||
                              photometric == PHOTOMETRIC_MINISWHITE ||
                              photometric == PHOTOMETRIC_RGB || photometric == PHOTOMETRIC_PALETTE;
    const bool keptDepth =
        bits <= 8 ||
        (bits == 16 && (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_RGB));
    return sampleFormat == SAMPLEFORMAT_UINT && greyOrColour && keptDepth;
}

} // namespace sips
