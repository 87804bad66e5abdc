// pakpack: makes and lists the game's pak archives.
//   pakpack create <folder> <out.pak>   every file below the folder
//   pakpack list <archive.pak>          size, write time and name per member

#include "framework/pak/pak_format.h"
#include "framework/pak/pak_writer.h"

#include "platform/file_system.h"
#include "platform/text_encoding.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: pakpack create <folder> <out.pak>\n"
                         "       pakpack list <archive.pak>\n");
    return 2;
}

int Create(const std::string& folder, const std::string& out) {
    std::string error;
    if (!Kavo::WritePakArchive(folder, out, &error)) {
        std::fprintf(stderr, "pakpack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int List(const std::string& path) {
    platform::MappedFile file;
    if (!file.Open(path)) {
        std::fprintf(stderr, "pakpack: cannot open %s\n", path.c_str());
        return 1;
    }
    std::vector<Kavo::PakDirectoryRecord> records;
    std::string error;
    if (!Kavo::ReadPakDirectory(file.Data(), file.Size(), &records, &error)) {
        std::fprintf(stderr, "pakpack: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    for (const Kavo::PakDirectoryRecord& record : records) {
        std::time_t seconds = static_cast<std::time_t>(platform::FileTimeToUnixTime(record.mFileTime));
        char when[32] = "-";
        if (record.mFileTime != 0) {
            std::tm utc{};
            gmtime_r(&seconds, &utc);
            std::strftime(when, sizeof(when), "%Y-%m-%d %H:%M:%S", &utc);
        }
        std::printf("%10u  %s  %s\n", record.mSize, when, platform::Cp1251ToUtf8(record.mName).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "create")
        return Create(argv[2], argv[3]);
    if (argc == 3 && std::string(argv[1]) == "list")
        return List(argv[2]);
    return Usage();
}
