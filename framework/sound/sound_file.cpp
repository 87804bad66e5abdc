#include "framework/sound/sound_file.h"

#include <cctype>
#include <cstdio>

#include "framework/pak/pak_interface.h"
#include "framework/util/path_util.h"

namespace Kavo {

bool ReadSoundFile(const std::string& path, std::vector<std::uint8_t>& out) {
    out.clear();
    PakFile* file = PakOpenFile(path, "rb");
    if (file == nullptr)
        return false;
    bool ok = false;
    // The file API has no size query: seek to the end and tell.
    if (PakSeekFile(file, 0, SEEK_END) == 0) {
        const long size = PakTellFile(file);
        if (size >= 0 && PakSeekFile(file, 0, SEEK_SET) == 0) {
            out.resize(static_cast<std::size_t>(size));
            ok = out.empty() || PakReadFile(out.data(), 1, out.size(), file) == out.size();
        }
    }
    PakCloseFile(file);
    if (!ok)
        out.clear();
    return ok;
}

platform::FileTime SourceFileTime(const std::string& path) {
    // A name, not a pattern: wildcards would find other files.
    if (path.find_first_of("*?") != std::string::npos)
        return 0;
    if (std::shared_ptr<PakInterfaceBase> pak = GetPakInterface()) {
        PakFindData data;
        PakFindHandle* handle = pak->FindFirstFile(path.c_str(), &data);
        if (handle == nullptr)
            return 0;
        pak->FindClose(handle);
        return data.mLastWriteTime;
    }
    for (const platform::FoundFile& found : platform::FindFiles(path))
        if (!found.IsDirectory())
            return found.lastWriteTime;
    return 0;
}

std::string LowerExtension(const std::string& path) {
    const std::string name = GetFileName(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return "";
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

} // namespace Kavo
