// Reads one file as the shared control looks, as a screen's layout (with a
// screen to receive its controls), as a fly-in dialog and as the music list.
#include "fuzz/fuzz_support.h"
#include "game/ui/control_desc.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/music_list.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    auto descs = std::make_shared<Game::ControlDescs>();
    platform::Installed<Game::ControlDescs> installed(Game::ControlDescsSlot(), descs);
    descs->LoadInterface(path);
    {
        Game::GameDialog screen(1, false);
        Game::Layout layout(path, &screen);
        layout.GetPoint("Main");
    }
    {
        Game::LayoutDialog dialog(path, 1, false);
        for (int i = 0; i < 4; ++i)
            dialog.Update();
        dialog.ButtonDepress(1);
        for (int i = 0; i < 4; ++i)
            dialog.Update();
    }
    Game::MusicList music;
    music.Load(path);
    return 0;
}
