// Reads an ".anim" frame animation and plays it: updates, drawing and the
// transformed drawing over a small image.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "fuzz/fuzz_support.h"
#include "game/ui/animation.h"
#include "game/ui/image_desc_cache.h"
#include "platform/process_slot.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".anim");
    auto cache = std::make_shared<Game::ImageDescCache>();
    platform::Installed<Game::ImageDescCache> installed(Game::ImageDescCacheSlot(), cache);
    Kavo::MemoryImage picture;
    picture.Create(16, 16);
    Kavo::MemoryImage dest;
    dest.Create(32, 32);
    Kavo::Graphics g(&dest);

    Game::Animation anim;
    anim.LoadFile(path);
    if (anim.GetImageDesc() != nullptr)
        anim.GetImageDesc()->mImage = &picture;
    anim.Restart();
    for (int i = 0; i < 200; ++i) {
        anim.Update();
        anim.Draw(&g);
        anim.DrawOverlay(&g);
    }
    return 0;
}
