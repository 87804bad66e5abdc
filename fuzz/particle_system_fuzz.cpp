// Reads a particle-system description, fires it and plays 100 steps,
// drawing into a small image.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "fuzz/fuzz_support.h"
#include "game/effects/particle_system.h"
#include "game/ui/resource_ids.h"
#include "platform/process_slot.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".ini");
    platform::Installed<Game::ParticleRectCounter> counter(Game::ParticleRectCounterSlot(),
                                                           std::make_shared<Game::ParticleRectCounter>());
    Kavo::MemoryImage sparkle;
    sparkle.Create(32, 32);
    Kavo::Image* const previous = Game::IMAGE_SPARKLE;
    Game::IMAGE_SPARKLE = &sparkle;
    Kavo::MemoryImage dest;
    dest.Create(64, 64);
    Kavo::Graphics g(&dest);
    {
        Game::ParticleSystem system(path, 50.0f);
        system.MoveTo(32, 32);
        for (int i = 0; i < 100; ++i) {
            system.Update(i % 9 == 0 ? 7.0f : 1.0f);
            if (i % 10 == 0)
                system.Draw(&g);
        }
        system.Draw(&g);
    }
    Game::IMAGE_SPARKLE = previous;
    return 0;
}
