#include "framework/util/ratio.h"

namespace Kavo {

void Ratio::Set(int32_t numerator, int32_t denominator) {
    if (denominator == 0 && numerator != 0) {
        mNumerator = 1;
        mDenominator = 0;
        return;
    }
    int64_t a = numerator;
    int64_t b = denominator;
    while (b != 0) {
        int64_t t = a % b;
        a = b;
        b = t;
    }
    // The divisor is taken positive so that each value keeps its own sign.
    if (a < 0)
        a = -a;
    if (a == 0) {
        mNumerator = numerator;
        mDenominator = denominator;
        return;
    }
    mNumerator = static_cast<int32_t>(numerator / a);
    mDenominator = static_cast<int32_t>(denominator / a);
}

} // namespace Kavo
