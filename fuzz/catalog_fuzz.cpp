// Reads a dishes or a decoration file (the first byte picks which) into its
// catalogue, then fills a menu list or a stuff list from what was read and
// hit-tests and scores it.
#include "fuzz/fuzz_support.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/menu_list.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/stuff_list.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool dishes = (data[0] & 1) != 0;
    const std::string path = Kavo::fuzz::WriteInputFile(data + 1, size - 1, ".txt");
    if (dishes) {
        Game::MenuCatalog catalog;
        catalog.Load(path);
        catalog.Load(path);
        Game::MenuList list;
        list.mViewW = 330;
        list.mViewH = 220;
        for (int rank = 0; rank < 3; ++rank) {
            list.Fill(catalog, rank, 50);
            list.SortRows();
            list.Pick(list.HitTest(5, 5));
            list.Pick(list.HitTest(120, 5));
            list.Score(rank);
        }
    } else {
        Game::ShopCatalog catalog;
        catalog.Load(path);
        catalog.Load(path);
        std::vector<std::string> names;
        for (const auto& item : catalog.mItems)
            names.push_back(item->mName);
        catalog.ComputeRoomValue(names, 0);
        Game::StuffList list;
        list.mViewW = 330;
        list.mViewH = 220;
        for (int rank = 0; rank < 3; ++rank) {
            list.Fill(catalog, rank, 50);
            list.SortRows();
            list.HitTest(5, 5);
            list.PageNext();
            list.FirstPendingCellCentre();
        }
    }
    return 0;
}
