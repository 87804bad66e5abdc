#include "game/meta/settings_rect.h"

#include "game/app/game_app.h"
#include "game/ui/read_rect_setting.h"

namespace Game {

Kavo::IntRect GameSettingRect(const std::string& section, const std::string& key) {
    GameApp* app = gGameApp;
    // Asking for a missing section would add it to the document.
    if (app == nullptr || !app->mSettings.HasSection(section))
        return {};
    return ReadRectSetting(*app->mSettings.GetSection(section), key);
}

} // namespace Game
