#include "framework/pak/pak_writer.h"

#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

namespace Kavo {

namespace {

namespace fs = std::filesystem;

class ScrambledWriter {
public:
    explicit ScrambledWriter(std::string* out) : mOut(out) {}
    void Byte(uint8_t value) { mOut->push_back(static_cast<char>(value ^ kPakXorKey)); }
    void U32(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            Byte(static_cast<uint8_t>(value >> (8 * i)));
    }
    void U64(uint64_t value) {
        U32(static_cast<uint32_t>(value));
        U32(static_cast<uint32_t>(value >> 32));
    }
    void Bytes(const std::string& bytes) {
        for (char c : bytes)
            Byte(static_cast<uint8_t>(c));
    }

private:
    std::string* mOut;
};

bool Fail(std::string* error, const std::string& text) {
    if (error != nullptr)
        *error = text;
    return false;
}

// A regular file found below the folder, before its bytes are read.
struct FoundFile {
    std::string name;     // as the archive stores it
    std::string diskName; // relative to the folder, as on the disk, for messages
    fs::path path;
    platform::FileTime fileTime = 0;
};

std::string Reason(const std::error_code& code) {
    return code.message();
}

std::string Reason(int errorNumber) {
    return std::strerror(errorNumber);
}

platform::FileTime WriteTime(const fs::path& path) {
    std::error_code code;
    const fs::file_time_type time = fs::last_write_time(path, code);
    if (code)
        return 0;
    const auto sinceEpoch = std::chrono::file_clock::to_sys(time).time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch - seconds);
    return platform::UnixTimeToFileTime(seconds.count(), nanoseconds.count());
}

// Walks the folder without following links to folders, so a link back up
// the tree cannot make it loop, and without opening anything that is not a
// regular file (a pipe would block the read).
class FolderWalk {
public:
    FolderWalk(const std::string& leaveOut, std::vector<std::string>* warnings) : mWarnings(warnings) {
        std::error_code code;
        if (!leaveOut.empty() && fs::is_regular_file(leaveOut, code))
            mLeaveOut = leaveOut;
    }

    bool Walk(const fs::path& folder, const std::string& prefix, const std::string& diskPrefix, std::string* error) {
        struct Entry {
            std::string name;
            std::string diskName;
            fs::directory_entry entry;
        };
        std::vector<Entry> entries;
        std::error_code code;
        fs::directory_iterator it(folder, code);
        for (; !code && it != fs::directory_iterator(); it.increment(code)) {
            const std::string diskName = it->path().filename().string();
            entries.push_back({platform::Utf8ToCp1251(diskName), diskName, *it});
        }
        if (code)
            return Fail(error, "cannot read the folder " + folder.string() + ": " + Reason(code));
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.name != b.name ? a.name < b.name : a.diskName < b.diskName;
        });

        for (const Entry& e : entries) {
            const std::string diskName = diskPrefix + e.diskName;
            // Only what converts back to the same disk name has its own
            // spelling in the archive.
            if (platform::Cp1251ToUtf8(e.name) != e.diskName) {
                mUnrepresentable.push_back(diskName);
                continue;
            }
            const fs::file_status own = e.entry.symlink_status(code);
            if (fs::is_directory(own)) {
                if (!Walk(e.entry.path(), prefix + e.name + "\\", diskName + "/", error))
                    return false;
                continue;
            }
            const fs::file_status target = fs::is_symlink(own) ? e.entry.status(code) : own;
            if (fs::is_symlink(own) && fs::is_directory(target)) {
                Warn("not following the link to a folder " + diskName);
            } else if (fs::is_symlink(own) && !fs::exists(target)) {
                Warn("skipping the broken link " + diskName);
            } else if (!fs::is_regular_file(target)) {
                Warn("skipping " + diskName + ": not a regular file");
            } else if (!IsLeftOut(e.entry.path())) {
                mFound.push_back({prefix + e.name, diskName, e.entry.path(), WriteTime(e.entry.path())});
            }
        }
        return true;
    }

    // Names the archive cannot hold or cannot tell apart, as one error.
    bool CheckNames(std::string* error) const {
        std::string problems;
        if (!mUnrepresentable.empty())
            problems = "names that Windows-1251 cannot hold: " + Joined(mUnrepresentable);
        std::map<std::string, std::vector<std::string>> byKey;
        for (const FoundFile& file : mFound)
            byKey[NormalizePakPath(file.name)].push_back(file.diskName);
        for (const auto& [key, names] : byKey) {
            if (names.size() < 2)
                continue;
            problems += problems.empty() ? "" : "; ";
            problems += "names that differ only in letter case: " + Joined(names);
        }
        return problems.empty() || Fail(error, problems);
    }

    std::vector<FoundFile> mFound;

private:
    static std::string Joined(const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : ", ") + name;
        return text;
    }

    bool IsLeftOut(const fs::path& path) const {
        std::error_code code;
        return !mLeaveOut.empty() && fs::equivalent(path, mLeaveOut, code);
    }

    void Warn(const std::string& text) {
        if (mWarnings != nullptr)
            mWarnings->push_back(text);
    }

    fs::path mLeaveOut;
    std::vector<std::string>* mWarnings;
    std::vector<std::string> mUnrepresentable;
};

bool ReadDiskFile(const fs::path& path, std::string* out, std::string* error) {
    out->clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return Fail(error, "cannot read " + path.string() + ": " + Reason(errno));
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
        out->append(chunk, got);
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    return readError == 0 || Fail(error, "cannot read " + path.string() + ": " + Reason(readError));
}

// A partial file is removed again.
bool WriteDiskFile(const std::string& path, const std::string& bytes, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return Fail(error, "cannot write " + path + ": " + Reason(errno));
    int writeError = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        writeError = errno;
    if (std::fclose(file) != 0 && writeError == 0)
        writeError = errno;
    if (writeError == 0)
        return true;
    std::remove(path.c_str());
    return Fail(error, "cannot write " + path + ": " + Reason(writeError));
}

} // namespace

bool BuildPakArchive(const std::vector<PakMember>& members, std::string* archive, std::string* error) {
    archive->clear();
    uint64_t total = 8 + 1;
    for (const PakMember& member : members) {
        if (member.mName.size() > kPakMaxNameLength)
            return Fail(error, "name longer than 255 bytes: " + member.mName);
        total += 2 + member.mName.size() + 12 + member.mData.size();
    }
    if (total > std::numeric_limits<uint32_t>::max())
        return Fail(error, "the archive would exceed 4 GiB");

    archive->reserve(static_cast<size_t>(total));
    ScrambledWriter out(archive);
    out.U32(kPakMagic);
    out.U32(kPakVersion);
    for (const PakMember& member : members) {
        out.Byte(0);
        out.Byte(static_cast<uint8_t>(member.mName.size()));
        out.Bytes(member.mName);
        out.U32(static_cast<uint32_t>(member.mData.size()));
        out.U64(member.mFileTime);
    }
    out.Byte(kPakEndOfDirectory);
    for (const PakMember& member : members)
        out.Bytes(member.mData);
    return true;
}

bool CollectPakMembers(const std::string& folder, std::vector<PakMember>* members, std::string* error,
                       std::vector<std::string>* warnings, const std::string& leaveOut) {
    members->clear();
    std::error_code code;
    if (!fs::is_directory(folder, code))
        return Fail(error, "not a folder: " + folder + (code ? ": " + Reason(code) : std::string()));
    FolderWalk walk(leaveOut, warnings);
    if (!walk.Walk(folder, "", "", error) || !walk.CheckNames(error))
        return false;
    for (const FoundFile& file : walk.mFound) {
        PakMember member;
        member.mName = file.name;
        member.mFileTime = file.fileTime;
        if (!ReadDiskFile(file.path, &member.mData, error)) {
            members->clear();
            return false;
        }
        members->push_back(std::move(member));
    }
    return true;
}

bool WritePakArchive(const std::string& folder, const std::string& outPath, std::string* error,
                     std::vector<std::string>* warnings) {
    std::vector<PakMember> members;
    std::string archive;
    if (!CollectPakMembers(folder, &members, error, warnings, outPath) || !BuildPakArchive(members, &archive, error))
        return false;
    return WriteDiskFile(outPath, archive, error);
}

} // namespace Kavo
