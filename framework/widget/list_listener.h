#pragma once

#include <cstdint>

namespace Kavo {

// Told of clicks on a list's lines, of the list leaving the manager and of
// the line under the mouse changing. Every notification does nothing here.
class ListListener {
public:
    virtual ~ListListener() = default;
    virtual void ListClicked(int32_t, int32_t /*line*/, int32_t /*clickCount*/) {}
    virtual void ListClosed(int32_t) {}
    virtual void ListHiliteChanged(int32_t, int32_t /*oldLine*/, int32_t /*newLine*/) {}
};

} // namespace Kavo
