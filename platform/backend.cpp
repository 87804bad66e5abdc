#include "platform/backend.h"

#include <mutex>

#include "platform/headless/headless_backend.h"

namespace platform {
namespace {

std::mutex gBackendMutex;
std::unique_ptr<Backend>& BackendSlot() {
    static std::unique_ptr<Backend> backend = std::make_unique<HeadlessBackend>();
    return backend;
}

} // namespace

Backend& GetBackend() {
    std::lock_guard lock(gBackendMutex);
    return *BackendSlot();
}

void SetBackend(std::unique_ptr<Backend> backend) {
    std::lock_guard lock(gBackendMutex);
    BackendSlot() = backend ? std::move(backend) : std::make_unique<HeadlessBackend>();
}

HeadlessBackend* GetHeadlessBackend() {
    return dynamic_cast<HeadlessBackend*>(&GetBackend());
}

} // namespace platform
