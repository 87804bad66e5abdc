#include "game/ui/read_rect_setting.h"

#include <cstdio>

namespace Game {

Kavo::IntRect ReadRectSetting(const IniSection& section, const std::string& key) {
    int v[4] = {0, 0, 0, 0};
    std::sscanf(section.GetString(key).c_str(), "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
    return Kavo::IntRect(v[0], v[1], v[2], v[3]);
}

} // namespace Game
