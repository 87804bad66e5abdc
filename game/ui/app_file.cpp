#include "game/ui/app_file.h"

#include "framework/app/kavo_app_base.h"
#include "framework/util/buffer.h"
#include "platform/file_system.h"

#include <cstdint>

namespace Game {

bool LoadAppFile(const std::string& path, Kavo::Buffer& buffer) {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return app->FileExists(path) && app->LoadFileToBuffer(path, buffer);
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes))
        return false;
    buffer.Clear();
    buffer.SetData(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    return true;
}

} // namespace Game
