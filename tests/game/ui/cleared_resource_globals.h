#pragma once
// Clears every resource id's global on construction and destruction, so
// that no test sees another's bindings.

#include "game/ui/resource_ids.h"

namespace Game {

class ClearedResourceGlobals {
public:
    ClearedResourceGlobals() { Clear(); }
    ~ClearedResourceGlobals() { Clear(); }
    ClearedResourceGlobals(const ClearedResourceGlobals&) = delete;
    ClearedResourceGlobals& operator=(const ClearedResourceGlobals&) = delete;

private:
    static void Clear() {
#define GAME_RESOURCE_CLEAR(kind, name, group) name = {};
        GAME_RESOURCE_LIST(GAME_RESOURCE_CLEAR)
#undef GAME_RESOURCE_CLEAR
    }
};

} // namespace Game
