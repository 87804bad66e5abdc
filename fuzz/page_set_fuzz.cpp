// Reads a page file as help pages and as a comics scene (the first byte
// picks which), then plays it: every text typed, skipped and drawn.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "fuzz/fuzz_support.h"
#include "game/ui/page_set.h"
#include "game/ui/page_view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool comics = (data[0] & 1) != 0;
    const std::string path = Kavo::fuzz::WriteInputFile(data + 1, size - 1, ".txt");
    if (!comics) {
        Game::PageSet pages;
        pages.Load(path, Game::PageFileKind::Help);
        return 0;
    }
    Kavo::MemoryImage balloon;
    balloon.Create(8, 8);
    Kavo::MemoryImage dest;
    dest.Create(64, 64);
    Kavo::Graphics g(&dest);
    Game::PageView view;
    view.Load(path, nullptr, 1);
    view.SetBalloon(&balloon);
    for (int i = 0; i < 300 && !view.IsFinished(); ++i) {
        view.Update();
        if (i % 7 == 0)
            view.Skip();
        view.Draw(&g);
    }
    for (size_t page = 0; page < view.GetPages().GetPageCount() && page < 8; ++page) {
        view.Show(page);
        view.Update();
        view.Draw(&g);
    }
    return 0;
}
