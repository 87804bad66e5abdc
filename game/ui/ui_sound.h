#pragma once
// How the game's UI plays its clicks and swooshes: through the player the
// application installed. Without one the UI is silent.

#include <memory>
#include <string>

#include "platform/process_slot.h"

namespace Game {

class UiSoundPlayer {
public:
    virtual ~UiSoundPlayer() = default;
    // With useBaseDescription the name is a wave played through the "base"
    // description, else a description name.
    virtual void PlayUiSound(const std::string& name, bool useBaseDescription) = 0;
};

platform::ProcessSlot<UiSoundPlayer>& UiSoundPlayerSlot();

void PlayUiSound(const std::string& name, bool useBaseDescription);

} // namespace Game
