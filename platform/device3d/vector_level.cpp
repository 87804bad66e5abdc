#include "platform/device3d/vector_level.h"

namespace platform {

bool ProcessorHasAvx2() {
#if KAVO_DEVICE3D_AVX2
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

} // namespace platform
