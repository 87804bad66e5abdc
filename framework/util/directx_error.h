#pragma once

#include <cstdint>
#include <string>

namespace Kavo {

// The symbolic name of a DirectDraw, DirectSound or Direct3D result, or its
// value in lower-case hexadecimal without prefix when it has none (so a
// success of 0 reads "0").
std::string GetDirectXErrorString(std::int32_t result);

} // namespace Kavo
