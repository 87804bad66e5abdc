// Reads arbitrary INI text as the stage table, the settings' goal
// thresholds, the comments table and the bevel table, and asks each for
// what the board screen asks.
#include "framework/util/rect.h"
#include "fuzz/fuzz_support.h"
#include "game/board/bevels.h"
#include "game/board/comments.h"
#include "game/board/stage_goals.h"
#include "game/board/stages.h"
#include "game/ui/ini_document.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    size_t seen = 0;

    const Game::Stages stages(path);
    for (int i = 0; i < stages.GetCount(); ++i) {
        const Game::Stage& stage = *stages.GetStage(i);
        for (float progress : {-1.0f, 0.0f, 2.7f, 50.0f, 1e9f}) {
            seen += stage.ItemsFor(progress).size();
            std::vector<std::string> names;
            stage.BonusesFor(progress, names);
            seen += names.size();
        }
    }

    Game::IniDocument settings;
    settings.Load(path, true);
    Game::StageGoalSlots goals;
    Game::StageGoals::Register(goals, settings);
    for (auto& goal : goals) {
        goal->SetValue(static_cast<int>(size));
        seen += static_cast<size_t>(goal->Level() + goal->UpdateLevel() + 2);
    }

    Game::Comments comments;
    Game::LoadComments(path, comments);
    seen += comments.size();

    Game::Bevels bevels;
    Game::LoadBevels(path, bevels);
    if (const Game::Bevel* bevel = bevels.ForRestaurant(static_cast<int>(size) - 7)) {
        for (int direction = -1; direction <= 12; ++direction) {
            for (int index : {-1, 0, 1, 5, 255}) {
                Kavo::IntRect rect;
                int dx = 0;
                int dy = 0;
                seen += bevel->GetOut(direction, index, rect, dx, dy) ? 1 : 0;
                seen += bevel->GetIn(direction, index, rect, dx, dy) ? 1 : 0;
            }
        }
    }
    return seen == static_cast<size_t>(-1) ? 1 : 0;
}
