#include "game/ui/ui_sound.h"

namespace Game {

platform::ProcessSlot<UiSoundPlayer>& UiSoundPlayerSlot() {
    static platform::ProcessSlot<UiSoundPlayer> slot;
    return slot;
}

void PlayUiSound(const std::string& name, bool useBaseDescription) {
    if (auto player = UiSoundPlayerSlot().Get())
        player->PlayUiSound(name, useBaseDescription);
}

} // namespace Game
