#pragma once

#include <cstdint>

namespace Kavo {

// A fraction kept in lowest terms, such as a display's aspect ratio.
struct Ratio {
    int32_t mNumerator = 0;
    int32_t mDenominator = 1;

    Ratio() = default;
    Ratio(int32_t numerator, int32_t denominator) { Set(numerator, denominator); }

    // Divides both by their greatest common divisor; a denominator of 0
    // gives (1, 0). Both zero is not a fraction and must not be passed.
    void Set(int32_t numerator, int32_t denominator);

    bool operator==(const Ratio& other) const = default;
};

} // namespace Kavo
