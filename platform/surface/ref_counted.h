#pragma once
// Reference counting of the layer's objects: created with one reference,
// destroyed by the Release that drops the last one.

#include <atomic>
#include <cstdint>

namespace platform {

class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    std::uint32_t AddRef() { return ++mReferences; }
    // The count left; the object is gone when it is 0.
    std::uint32_t Release() {
        const std::uint32_t left = --mReferences;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~RefCounted() = default;

private:
    std::atomic<std::uint32_t> mReferences{1};
};

} // namespace platform
