// Mounts an archive and reads every member through the file API in the
// ways the program does: whole reads, lines, single bytes and seeks.
#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"
#include "fuzz/fuzz_support.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = Kavo::fuzz::WriteInputFile(data, size, ".pak");
    Kavo::PakInterface pak;
    if (!pak.MountArchive(path))
        return 0;

    // The member names as stored; the directory was just accepted by the
    // mount, so it parses again.
    std::vector<Kavo::PakDirectoryRecord> records;
    std::string error;
    if (!Kavo::ReadPakDirectory(data, size, &records, &error))
        __builtin_trap();
    std::vector<std::string> names;
    for (const auto& record : records)
        names.push_back(record.mName);

    // Listing walks the archive's folders; keep the pattern inside the
    // archive so the disk is not listed on every input.
    Kavo::PakFindData found;
    if (Kavo::PakFindHandle* find = pak.FindFirstFile("*\\*", &found)) {
        for (int i = 0; i < 4096 && pak.FindNextFile(find, &found); ++i) {
        }
        pak.FindClose(find);
    }

    std::vector<char> bytes(4096);
    for (const std::string& name : names) {
        Kavo::PakFile* file = pak.FOpen(name.c_str(), "rb");
        if (file == nullptr)
            continue;
        while (pak.FRead(bytes.data(), 3, bytes.size() / 3, file) > 0) {
        }
        pak.FSeek(file, 0, SEEK_END);
        long end = pak.FTell(file);
        pak.FSeek(file, end / 2, SEEK_SET);
        pak.FSeek(file, -1, SEEK_CUR);
        pak.FGetC(file);
        pak.FSeek(file, 0, SEEK_SET);
        while (pak.FGetS(bytes.data(), 64, file) != nullptr) {
        }
        pak.FEof(file);
        pak.FClose(file);
    }
    return 0;
}
