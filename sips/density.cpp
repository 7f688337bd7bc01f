#include "density.h"

#include <algorithm>
#include <cmath>

namespace sips {

Density Density::dotsPerInch(std::uint32_t xDpi, std::uint32_t yDpi) {
    return Density{{xDpi, 1}, {yDpi, 1}, Unit::Inch};
}

Density Density::fromPixelsPerMetre(std::uint32_t x, std::uint32_t y) {
    // Per centimetre over 100 keeps the value exact; EXIF has no metre unit.
    return Density{{x, 100}, {y, 100}, Unit::Centimetre};
}

Density::Jfif Density::jfif() const {
    const auto whole = [](double value) {
        return static_cast<std::uint16_t>(std::clamp<long>(std::lround(value), 1, 65535));
    };
    // An exact per-centimetre value stays per centimetre; everything else is recorded per inch.
    if (unit == Unit::Centimetre && x.denominator == 1 && y.denominator == 1)
        return Jfif{2, whole(x.value()), whole(y.value())};
    return Jfif{1, whole(xDpi()), whole(yDpi())};
}

double Density::toDpi(Rational r) const {
    return unit == Unit::Inch ? r.value() : r.value() * 2.54;
}

std::uint32_t Density::toPixelsPerMetre(Rational r) const {
    const double perMetre = unit == Unit::Inch ? r.value() / 0.0254 : r.value() * 100.0;
    return static_cast<std::uint32_t>(std::lround(perMetre));
}

} // namespace sips
