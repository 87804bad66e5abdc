// Reads a named-path file and flies a sprite along each of its first paths.
#include "fuzz/fuzz_support.h"
#include "game/effects/trajectories.h"
#include "game/ui/spline_animation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".dat");
    Game::Trajectories table;
    table.Load(path, true);
    size_t flown = 0;
    for (const Game::TrajectoryPath& entry : table.Paths()) {
        if (table.Find(entry.mName) == nullptr)
            __builtin_trap(); // every name read must be found again
        if (flown++ >= 4)
            continue;
        for (bool arcLength : {false, true}) {
            Game::SplineAnimation flyer(10, 20, 3.0f, &entry, arcLength, nullptr, false, arcLength);
            flyer.mKeepAngle = false;
            for (int i = 0; i < 50 && !flyer.IsFinished(); ++i)
                flyer.Update(1.0f);
        }
    }
    return 0;
}
