#include "framework/util/cpu_features.h"

namespace Kavo {

CpuLevel DetectCpuLevel() {
#if defined(__SSE2__)
    static const CpuLevel level = __builtin_cpu_supports("avx2")    ? CpuLevel::Avx2
                                  : __builtin_cpu_supports("ssse3") ? CpuLevel::Ssse3
                                                                    : CpuLevel::Sse2;
    return level;
#else
    return CpuLevel::Portable;
#endif
}

} // namespace Kavo
