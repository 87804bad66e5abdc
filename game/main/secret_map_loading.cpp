#include "game/main/secret_map_loading.h"

namespace Game {

void SecretMapLoading::Register(StartupSteps& steps) {
    std::shared_ptr<SecretMaps> maps = mMaps;
    steps.mCatalogueLoads.push_back([maps] { maps->Load("data/secretmaps.txt"); });
}

} // namespace Game
