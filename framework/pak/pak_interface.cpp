#include "framework/pak/pak_interface.h"

#include "framework/pak/pak_format.h"
#include "framework/util/string_util.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Kavo {

struct PakArchive {
    platform::MappedFile mFile;
};

struct PakFindHandle {
    std::string mPattern;      // normalised
    std::string mLastKey;      // last archive entry reported; "" before the first
    bool mDiskStarted = false; // the archive part is over
    std::vector<platform::FoundFile> mDiskFiles;
    size_t mDiskIndex = 0;
};

PakInterface* gPakInterface = new PakInterface();

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool SameFolderChar(char a, char b) {
    if (IsSeparator(a) && IsSeparator(b))
        return true;
    return AsciiUpper(a) == AsciiUpper(b);
}

// Length of the current folder's prefix (with its separator) when an
// absolute path lies inside it, else 0.
size_t CurrentFolderPrefix(const std::string& path) {
    const bool absolute = (path.size() >= 2 && path[1] == ':') || (!path.empty() && IsSeparator(path[0]));
    if (!absolute)
        return 0;
    std::string folder = platform::GetCurrentFolder();
    if (folder.empty())
        return 0;
    if (!IsSeparator(folder.back()))
        folder += '/';
    if (path.size() < folder.size())
        return 0;
    for (size_t i = 0; i < folder.size(); ++i)
        if (!SameFolderChar(path[i], folder[i]))
            return 0;
    return folder.size();
}

bool IsReadMode(const char* mode) {
    std::string m = StringToLower(mode);
    return m == "r" || m == "rb" || m == "rt";
}

void FillFromDisk(const platform::FoundFile& found, PakFindData* data) {
    data->mAttributes = found.attributes;
    data->mCreationTime = found.creationTime;
    data->mLastAccessTime = found.lastAccessTime;
    data->mLastWriteTime = found.lastWriteTime;
    data->mFileSizeHigh = static_cast<uint32_t>(found.size >> 32);
    data->mFileSizeLow = static_cast<uint32_t>(found.size);
    data->mFileName = found.name;
}

} // namespace

std::string NormalizePakPath(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    bool afterSeparator = false;
    for (size_t i = CurrentFolderPrefix(path); i < path.size(); ++i) {
        const char c = path[i];
        if (IsSeparator(c)) {
            if (!afterSeparator)
                out += '\\';
            afterSeparator = true;
            continue;
        }
        if (c == '.' && afterSeparator && i + 1 < path.size() && path[i + 1] == '.') {
            // "x\.." : drop the separator and the component before it.
            if (!out.empty() && out.back() == '\\')
                out.pop_back();
            size_t previous = out.rfind('\\');
            out.erase(previous == std::string::npos ? 0 : previous + 1);
            ++i;
            continue;
        }
        afterSeparator = false;
        out += AsciiUpper(c);
    }
    return out;
}

PakInterface::PakInterface() = default;

PakInterface::~PakInterface() = default;

bool PakInterface::MountArchive(const std::string& path) {
    const bool anchored = !path.empty() && (path[0] == '/' || path[0] == '\\' || path.find(':') != std::string::npos);
    mMountAttempts.push_back({anchored ? path : platform::GetCurrentFolder() + "/" + path, {}});
    std::string& problem = mMountAttempts.back().mProblem;
    problem = "not a readable archive";
    auto archive = std::make_unique<PakArchive>();
    if (!archive->mFile.Open(path)) {
        if (!platform::FileExists(path))
            problem = "missing";
        return false;
    }
    const size_t size = archive->mFile.Size();
    if (size > std::numeric_limits<uint32_t>::max())
        return false;
    PakArchive* mounted = archive.get();
    mArchives.push_back(std::move(archive));

    // The archive can be opened as a whole under its own path.
    PakEntry& own = mEntries[StringToUpper(path)];
    own = PakEntry{mounted, path, 0, 0, static_cast<uint32_t>(size)};

    std::vector<PakDirectoryRecord> records;
    if (!ReadPakDirectory(mounted->mFile.Data(), size, &records, nullptr))
        return false;
    // A name seen again (in this archive or an earlier one) takes the later entry.
    for (const PakDirectoryRecord& record : records)
        mEntries[StringToUpper(record.mName)] =
            PakEntry{mounted, record.mName, record.mFileTime, record.mStart, record.mSize};
    problem.clear();
    return true;
}

std::string PakInterface::DescribeSources() const {
    std::string text;
    for (const MountAttempt& attempt : mMountAttempts)
        text += "the archive " + attempt.mPath + (attempt.mProblem.empty() ? "" : " (" + attempt.mProblem + ")") + ", ";
    return text + "the folder " + platform::GetCurrentFolder();
}

PakFile* PakInterface::FOpenAlt(const char*, const char*) {
    return nullptr;
}

PakFile* PakInterface::FOpen(const char* name, const char* mode) {
    if (IsReadMode(mode)) {
        auto found = mEntries.find(NormalizePakPath(name));
        if (found != mEntries.end()) {
            PakFile* file = new PakFile;
            file->mEntry = &found->second;
            return file;
        }
    }
    return pak_detail::OpenDiskFile(name, mode);
}

int PakInterface::FClose(PakFile* file) {
    int result = 0;
    if (file->mEntry == nullptr)
        result = std::fclose(file->mStream);
    delete file;
    return result;
}

int PakInterface::FSeek(PakFile* file, long offset, int origin) {
    if (file->mEntry == nullptr)
        return std::fseek(file->mStream, offset, origin);
    const int64_t size = file->mEntry->mSize;
    int64_t base = file->mPos;
    if (origin == SEEK_SET)
        base = 0;
    else if (origin == SEEK_END)
        base = size;
    else if (origin != SEEK_CUR)
        return 0;
    // The base lies in [0, size], far inside 64 bits, so these comparisons
    // clamp an offset of any size without overflowing.
    if (offset <= -base)
        file->mPos = 0;
    else if (offset >= size - base)
        file->mPos = static_cast<uint32_t>(size);
    else
        file->mPos = static_cast<uint32_t>(base + offset);
    return 0;
}

long PakInterface::FTell(PakFile* file) {
    if (file->mEntry == nullptr)
        return std::ftell(file->mStream);
    return static_cast<long>(file->mPos);
}

size_t PakInterface::FRead(void* buffer, size_t elementSize, size_t count, PakFile* file) {
    if (file->mEntry == nullptr)
        return std::fread(buffer, elementSize, count, file->mStream);
    if (elementSize == 0)
        return 0;
    const size_t remaining = file->mEntry->mSize - file->mPos;
    const size_t wanted = count > remaining / elementSize ? remaining : elementSize * count;
    const uint8_t* source = file->mEntry->mArchive->mFile.Data() + file->mEntry->mStart + file->mPos;
    uint8_t* target = static_cast<uint8_t*>(buffer);
    for (size_t i = 0; i < wanted; ++i)
        target[i] = source[i] ^ kPakXorKey;
    file->mPos += static_cast<uint32_t>(wanted);
    return wanted / elementSize;
}

int PakInterface::FGetC(PakFile* file) {
    if (file->mEntry == nullptr)
        return std::fgetc(file->mStream);
    const uint8_t* member = file->mEntry->mArchive->mFile.Data() + file->mEntry->mStart;
    while (file->mPos < file->mEntry->mSize) {
        const int c = member[file->mPos++] ^ kPakXorKey;
        if (c != '\r') // text reads never see carriage returns
            return c;
    }
    return EOF;
}

int PakInterface::FUngetC(int c, PakFile* file) {
    if (file->mEntry == nullptr)
        return std::ungetc(c, file->mStream);
    if (file->mPos > 0)
        --file->mPos;
    return c;
}

char* PakInterface::FGetSAlt(char* buffer, int, PakFile*) {
    return buffer;
}

char* PakInterface::FGetS(char* buffer, int size, PakFile* file) {
    if (size <= 0)
        return nullptr;
    if (file->mEntry == nullptr)
        return std::fgets(buffer, size, file->mStream);
    int stored = 0;
    while (stored < size - 1) {
        const int c = FGetC(file);
        if (c == EOF)
            break;
        buffer[stored++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[stored] = '\0';
    if (stored == 0 && size > 1)
        return nullptr;
    return buffer;
}

int PakInterface::FEof(PakFile* file) {
    if (file->mEntry == nullptr)
        return std::feof(file->mStream);
    return file->mPos >= file->mEntry->mSize ? 1 : 0;
}

bool PakInterface::FindInArchive(PakFindHandle* handle, PakFindData* data) {
    const std::string& pattern = handle->mPattern;
    const size_t star = pattern.find('*');
    if (star == std::string::npos)
        return false; // only the disk serves names without a wildcard
    const std::string prefix = pattern.substr(0, star);
    const std::string suffix = pattern.substr(star + 1);
    const bool anyEnding = suffix.empty() || suffix == ".*";

    auto it = handle->mLastKey.empty() ? mEntries.begin() : mEntries.upper_bound(handle->mLastKey);
    for (; it != mEntries.end(); ++it) {
        const std::string& key = it->first;
        if (key.compare(0, prefix.size(), prefix) != 0)
            continue;
        const bool endsWithSuffix =
            key.size() >= suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0;
        if (!anyEnding && !endsWithSuffix)
            continue;

        const PakEntry& entry = it->second;
        const size_t tail = std::min(suffix.size(), key.size());
        const bool folder = key.find('\\', key.size() - tail) != std::string::npos;
        data->mAttributes = folder ? platform::kFileAttributeDirectory : 0;
        data->mCreationTime = data->mLastAccessTime = data->mLastWriteTime = entry.mFileTime;
        data->mFileSizeHigh = 0;
        data->mFileSizeLow = entry.mSize;
        const size_t slash = entry.mName.rfind('\\');
        data->mFileName = slash == std::string::npos ? entry.mName : entry.mName.substr(slash + 1);
        handle->mLastKey = key;
        return true;
    }
    return false;
}

namespace {

bool StartDisk(PakFindHandle* handle, PakFindData* data) {
    handle->mDiskStarted = true;
    handle->mDiskFiles = platform::FindFiles(handle->mPattern);
    handle->mDiskIndex = 0;
    if (handle->mDiskFiles.empty())
        return false;
    FillFromDisk(handle->mDiskFiles[handle->mDiskIndex++], data);
    return true;
}

} // namespace

PakFindHandle* PakInterface::FindFirstFile(const char* pattern, PakFindData* data) {
    auto handle = std::make_unique<PakFindHandle>();
    handle->mPattern = NormalizePakPath(pattern);
    if (FindInArchive(handle.get(), data) || StartDisk(handle.get(), data))
        return handle.release();
    return nullptr;
}

bool PakInterface::FindNextFile(PakFindHandle* handle, PakFindData* data) {
    if (handle->mDiskStarted && !handle->mDiskFiles.empty()) {
        if (handle->mDiskIndex >= handle->mDiskFiles.size())
            return false;
        FillFromDisk(handle->mDiskFiles[handle->mDiskIndex++], data);
        return true;
    }
    if (FindInArchive(handle, data))
        return true;
    return StartDisk(handle, data);
}

bool PakInterface::FindClose(PakFindHandle* handle) {
    delete handle;
    return true;
}

} // namespace Kavo
