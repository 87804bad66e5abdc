#include "platform/crt_random.h"

#include <mutex>

namespace platform {
namespace {

std::mutex gMutex;
CrtRandom gGenerator;

} // namespace

void CrtSrand(std::uint32_t seed) {
    std::lock_guard lock(gMutex);
    gGenerator.Seed(seed);
}

int CrtRand() {
    std::lock_guard lock(gMutex);
    return gGenerator.Next();
}

} // namespace platform
