#include "framework/pak/pak_writer.h"

#include "framework/pak/pak_format.h"

#include <limits>

namespace Kavo {

namespace {

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

bool CollectFolder(const std::string& folder, const std::string& prefix, std::vector<PakMember>* members,
                   std::string* error) {
    for (const platform::FoundFile& found : platform::FindFiles(folder + "/*")) {
        const std::string path = folder + "/" + found.name;
        const std::string name = prefix + found.name;
        if (found.IsDirectory()) {
            if (!CollectFolder(path, name + "\\", members, error))
                return false;
            continue;
        }
        PakMember member;
        member.mName = name;
        member.mFileTime = found.lastWriteTime;
        if (!platform::ReadWholeFile(path, member.mData))
            return Fail(error, "cannot read " + path);
        members->push_back(std::move(member));
    }
    return true;
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

bool CollectPakMembers(const std::string& folder, std::vector<PakMember>* members, std::string* error) {
    members->clear();
    if (!platform::IsDirectory(folder))
        return Fail(error, "not a folder: " + folder);
    return CollectFolder(folder, "", members, error);
}

bool WritePakArchive(const std::string& folder, const std::string& outPath, std::string* error) {
    std::vector<PakMember> members;
    std::string archive;
    if (!CollectPakMembers(folder, &members, error) || !BuildPakArchive(members, &archive, error))
        return false;
    if (!platform::WriteWholeFile(outPath, archive))
        return Fail(error, "cannot write " + outPath);
    return true;
}

} // namespace Kavo
