#pragma once
// Whether the processor runs the 3D device's AVX2 kernels. Those kernels are
// compiled for AVX2 alone (a function attribute, not the whole build) and
// chosen only where this says yes.

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
#define KAVO_DEVICE3D_AVX2 1
#define KAVO_DEVICE3D_TARGET_AVX2 __attribute__((target("avx2")))
#else
#define KAVO_DEVICE3D_AVX2 0
#endif

namespace platform {

// Asked of the processor once.
bool ProcessorHasAvx2();

} // namespace platform
