#pragma once
// A reference-counted object of the platform layer held by one owner: the
// owner's reference is given back when the holder goes.

#include <memory>

#include "platform/surface/ref_counted.h"

namespace platform {

struct RefReleaser {
    void operator()(RefCounted* object) const {
        if (object != nullptr)
            object->Release();
    }
};

template <typename T>
using RefHeld = std::unique_ptr<T, RefReleaser>;

} // namespace platform
