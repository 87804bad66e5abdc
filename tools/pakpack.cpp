// pakpack: makes and lists the game's pak archives.
//   pakpack create <folder> <out.pak>   every regular file below the folder
//   pakpack list <archive.pak>          size, write time and name per member

#include "framework/pak/pak_format.h"
#include "framework/pak/pak_writer.h"

#include "platform/file_system.h"
#include "platform/text_encoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: pakpack create <folder> <out.pak>\n"
                               "       pakpack list <archive.pak>\n"
                               "\n"
                               "create  packs every regular file below the folder, named relative to it.\n"
                               "        Links to files are packed; links to folders are not followed.\n"
                               "        Pipes, devices and sockets are skipped with a warning, and so is\n"
                               "        the output file when it lies inside the folder. Names must be\n"
                               "        writable in Windows-1251 and must differ in more than letter case,\n"
                               "        as the game finds members without regard to case; otherwise\n"
                               "        nothing is written.\n"
                               "list    prints size, write time (UTC) and name of each member.\n";

int Usage(std::FILE* to, int status) {
    std::fputs(kUsage, to);
    return status;
}

int Create(const std::string& folder, const std::string& out) {
    std::string error;
    std::vector<std::string> warnings;
    const bool ok = Kavo::WritePakArchive(folder, out, &error, &warnings);
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "pakpack: warning: %s\n", warning.c_str());
    if (!ok) {
        std::fprintf(stderr, "pakpack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int List(const std::string& path) {
    platform::MappedFile file;
    errno = 0;
    if (!file.Open(path)) {
        std::fprintf(stderr, "pakpack: cannot open %s: %s\n", path.c_str(),
                     errno != 0 ? std::strerror(errno) : "not a regular file");
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
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))
        return Usage(stdout, 0);
    if (argc == 4 && std::string(argv[1]) == "create")
        return Create(argv[2], argv[3]);
    if (argc == 3 && std::string(argv[1]) == "list")
        return List(argv[2]);
    return Usage(stderr, 2);
}
