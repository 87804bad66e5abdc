// Reads a trajectory scene, starts it and plays 200 game updates, drawing
// into a small image.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "fuzz/fuzz_support.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/resource_ids.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".ini");
    Kavo::MemoryImage sparkle;
    sparkle.Create(16, 16);
    Kavo::Image* const previous = Game::IMAGE_SPARKLE;
    Game::IMAGE_SPARKLE = &sparkle;
    Kavo::MemoryImage dest;
    dest.Create(64, 64);
    Kavo::Graphics g(&dest);
    {
        Game::TrMoveItems scene;
        scene.Load(path);
        scene.Start(32, 32);
        for (int i = 0; i < 200; ++i) {
            scene.Update();
            scene.Update(1.0f);
            if (i % 20 == 0)
                scene.Draw(&g);
        }
        scene.Draw(&g);
    }
    Game::IMAGE_SPARKLE = previous;
    return 0;
}
