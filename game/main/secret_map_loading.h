#pragma once
// The run's secret maps: installed as the meta-game's table and as the piece
// counts the profiles step through, and read on the loading thread.

#include <memory>

#include "game/app/startup_steps.h"
#include "game/meta/secret_maps.h"
#include "game/ui/profile_services.h"
#include "platform/process_slot.h"

namespace Game {

class SecretMapLoading {
public:
    // Adds the load of "data/secretmaps.txt" to the catalogue loads; a
    // missing file leaves the table empty (no map has pieces then).
    void Register(StartupSteps& steps);

    const SecretMaps& Maps() const { return *mMaps; }

private:
    std::shared_ptr<SecretMaps> mMaps = std::make_shared<SecretMaps>();
    platform::Installed<SecretMaps> mMapsSlot{SecretMapsSlot(), mMaps};
    platform::Installed<SecretMapTable> mTableSlot{SecretMapTableSlot(), mMaps};
};

} // namespace Game
