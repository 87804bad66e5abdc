#pragma once
// Owns one reference to a sound device or buffer.

#include <memory>

#include "platform/surface/ref_counted.h"

namespace Kavo {

struct SoundRefReleaser {
    void operator()(platform::RefCounted* object) const { object->Release(); }
};

template <typename T>
using SoundRef = std::unique_ptr<T, SoundRefReleaser>;

} // namespace Kavo
