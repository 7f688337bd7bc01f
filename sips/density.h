#pragma once

#include <cstdint>

namespace sips {

// A resolution exactly as files record it: one rational per axis and a unit.
struct Density {
    enum class Unit { Inch, Centimetre };
    struct Rational {
        std::uint32_t numerator = 0;
        std::uint32_t denominator = 1;
        double value() const { return double(numerator) / double(denominator); }
    };

    Rational x;
    Rational y;
    Unit unit = Unit::Inch;

    // What a JFIF header records: unit 1 (per inch) or 2 (per centimetre) and whole values.
    struct Jfif {
        std::uint8_t unit = 1;
        std::uint16_t x = 1;
        std::uint16_t y = 1;
    };

    static Density dotsPerInch(std::uint32_t xDpi, std::uint32_t yDpi);
    static Density fromPixelsPerMetre(std::uint32_t x, std::uint32_t y);

    double xDpi() const { return toDpi(x); }
    double yDpi() const { return toDpi(y); }
    // The PNG pHYs value: round(dpi / 0.0254).
    std::uint32_t xPixelsPerMetre() const { return toPixelsPerMetre(x); }
    std::uint32_t yPixelsPerMetre() const { return toPixelsPerMetre(y); }
    Jfif jfif() const;

private:
    double toDpi(Rational r) const;
    std::uint32_t toPixelsPerMetre(Rational r) const;
};

} // namespace sips
