#include "platform/crt_random.h"

namespace platform {
namespace {

// The C runtime keeps its generator per thread: a thread starts from seed 1
// and srand seeds only the calling thread's. The game relies on that: the
// loading thread draws while it builds the screens, and those draws must
// not move the main thread's sequence, which deals the boards (a recorded
// run replays only if its deals come out the same).
thread_local CrtRandom tGenerator;

} // namespace

void CrtSrand(std::uint32_t seed) {
    tGenerator.Seed(seed);
}

int CrtRand() {
    return tGenerator.Next();
}

} // namespace platform
