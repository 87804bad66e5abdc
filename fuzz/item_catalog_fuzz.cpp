// Reads an item catalogue from arbitrary text and looks up every id it holds.
#include "fuzz/fuzz_support.h"
#include "game/board/item_catalog.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    Game::ItemCatalog catalog;
    catalog.Load(path);
    int found = 0;
    for (int id = -2; id < 20; ++id)
        found += catalog.Find(id) != nullptr ? 1 : 0;
    return found < 0 ? 1 : 0;
}
