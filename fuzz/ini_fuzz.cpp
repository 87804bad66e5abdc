// Reads a game text data file (INI document) and walks every section and
// key through each getter.
#include "fuzz/fuzz_support.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");
    Game::IniDocument doc;
    doc.Load(path, true);
    for (auto section = doc.Begin(); section != doc.End(); ++section) {
        Game::IniSection& keys = section.Value();
        for (auto key = keys.Begin(); key != keys.End(); ++key) {
            const std::string name = key.Name();
            keys.GetInt(name, 1);
            keys.GetFloat(name, 1);
            keys.GetHex(name, 1);
            Game::ReadRectSetting(keys, name);
            std::vector<int> ints;
            std::vector<float> floats;
            keys.GetIntList(name, name, ints, 0, 3);
            keys.GetFloatList(name, name, floats, 1, 3);
        }
    }
    return 0;
}
