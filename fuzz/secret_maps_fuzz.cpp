// Reads a secret-map file twice into one table and walks every entry as the
// secret dialog and the post panel do: by index (wrapping both ways), by name
// and by recipe.
#include "fuzz/fuzz_support.h"
#include "game/meta/secret_maps.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    Game::SecretMaps maps;
    maps.Load(path);
    maps.Load(path);
    for (int i = -1; i <= maps.GetMapCount(); ++i) {
        const Game::SecretMapEntry* entry = maps.Get(i);
        if (entry == nullptr)
            continue;
        maps.FindByName(entry->mName);
        maps.FindByRecipe(entry->mRecipe);
        maps.GetPieceCount(i);
        for (const Game::SecretMapItem& item : entry->mItems)
            (void)(item.mX + item.mY + item.mExtraX + item.mExtraY + static_cast<float>(item.mGlowName.size()));
    }
    return 0;
}
