#include "jpeg_decompressor.h"

#include "failure.h"

namespace sips {

void checkProgressionComplete(const jpeg_decompress_struct& info, const std::string& path) {
    if (!info.progressive_mode || info.coef_bits == nullptr)
        return;
    for (int component = 0; component < info.num_components; ++component) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (info.coef_bits[component][k] != 0)
                throw Failure(path, "cannot decode JPEG data: progressive scans missing "
                                    "(truncated or damaged)");
        }
    }
}

std::optional<Density> jfifDensity(const jpeg_decompress_struct& info) {
    if (!info.saw_JFIF_marker || info.X_density == 0 || info.Y_density == 0 ||
        (info.density_unit != 1 && info.density_unit != 2))
        return std::nullopt;
    return Density{{info.X_density, 1},
                   {info.Y_density, 1},
                   info.density_unit == 1 ? Density::Unit::Inch : Density::Unit::Centimetre};
}

} // namespace sips
