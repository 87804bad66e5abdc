#pragma once

namespace Kavo {

// The instruction sets the vector kernels use, lowest first. Each
// level includes the ones before it.
enum class CpuLevel { Portable, Sse2, Ssse3, Avx2 };

// The best level that both this processor and the build (x86 with SSE2)
// have; asked of the processor once.
CpuLevel DetectCpuLevel();

} // namespace Kavo
