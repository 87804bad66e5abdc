#pragma once

#include <cstdint>
#include <string>

namespace Kavo {

// Told when Enter is pressed in an edit field, and asked before keys,
// characters and new texts are taken; each may be refused.
class EditListener {
public:
    virtual ~EditListener() = default;
    virtual void EditWidgetText(int32_t, const std::string&) {}
    virtual bool AllowKey(int32_t, int32_t) { return true; }
    virtual bool AllowChar(int32_t, char) { return true; }
    virtual bool AllowText(int32_t, const std::string&) { return true; }
};

} // namespace Kavo
