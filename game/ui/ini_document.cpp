#include "game/ui/ini_document.h"

#include "engine/base/string_tools.h"
#include "framework/pak/pak_interface.h"
#include "platform/file_system.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace Game {

namespace {

// The text of [begin, end) up to its first NUL, as a C string would read it.
std::string CText(const char* begin, const char* end) {
    const void* nul = std::memchr(begin, '\0', static_cast<size_t>(end - begin));
    return std::string(begin, nul != nullptr ? static_cast<const char*>(nul) : end);
}

std::string TrimSpaces(std::string text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return com_string::Trim(buffer.data());
}

// Reads the whole file; false when it cannot be opened, sized or read.
bool ReadAll(const std::string& path, std::vector<char>& out) {
    Kavo::PakFile* file = Kavo::PakOpenFile(path, "rb");
    if (file == nullptr)
        return false;
    bool ok = Kavo::PakSeekFile(file, 0, SEEK_END) == 0;
    long size = ok ? Kavo::PakTellFile(file) : -1;
    ok = size >= 0 && Kavo::PakSeekFile(file, 0, SEEK_SET) == 0;
    // Read in pieces rather than trusting the size for one allocation: a
    // folder, for one, reports a huge size and then reads nothing.
    out.clear();
    while (ok) {
        const size_t chunk = 64 * 1024;
        size_t had = out.size();
        out.resize(had + chunk);
        size_t got = Kavo::PakReadFile(out.data() + had, 1, chunk, file);
        out.resize(had + got);
        if (got < chunk)
            break;
        ok = out.size() <= static_cast<size_t>(size);
    }
    ok = ok && out.size() == static_cast<size_t>(size);
    Kavo::PakCloseFile(file);
    return ok;
}

} // namespace

bool IniDocument::Load(const std::string& path, bool clearFirst) {
    std::vector<char> text;
    if (!ReadAll(path, text))
        return false;
    Parse(text.data(), text.size(), clearFirst);
    return true;
}

void IniDocument::Parse(const char* text, size_t size, bool clearFirst) {
    // The appended NUL, CR, LF end the last line like every other.
    std::vector<char> buffer(text, text + size);
    buffer.push_back('\0');
    buffer.push_back('\r');
    buffer.push_back('\n');
    if (clearFirst)
        mSections.clear();

    std::string pendingComment;
    IniSection* open = nullptr;
    const char* data = buffer.data();
    const char* const limit = data + buffer.size();
    const char* line = data;
    for (const char* p = data; p + 1 < limit; ++p) {
        if (p[0] != '\r' || p[1] != '\n')
            continue;
        const char* end = p;
        if (line < end && line[0] == ';') {
            pendingComment += CText(line, end) + "\r\n";
        } else if (line < end && line[0] == '[') {
            const char* close =
                static_cast<const char*>(std::memchr(line + 1, ']', static_cast<size_t>(end - line - 1)));
            open = &mSections[CText(line + 1, close != nullptr ? close : end)];
            if (!pendingComment.empty())
                open->mComment = pendingComment;
            pendingComment.clear();
        } else if (open != nullptr) {
            const char* eq = static_cast<const char*>(std::memchr(line, '=', static_cast<size_t>(end - line)));
            std::string key = TrimSpaces(CText(line, eq != nullptr ? eq : end));
            if (eq != nullptr || !key.empty()) {
                IniValue& record = open->Record(key);
                record.mValue = eq != nullptr ? CText(eq + 1, end) : std::string();
                if (!pendingComment.empty())
                    record.mComment = pendingComment;
            }
            pendingComment.clear();
        }
        line = p + 2;
        ++p;
    }
}

bool IniDocument::Save(const std::string& path) const {
    std::string out;
    for (const auto& [name, section] : mSections) {
        out += section.mComment + "[" + name + "]\r\n";
        for (const auto& [key, record] : section.Keys()) {
            if (!key.empty())
                out += record.mComment + key + "=" + record.mValue + "\r\n";
        }
    }
    const std::string temporary = path + ".tmp";
    if (!platform::WriteWholeFile(temporary, out)) {
        platform::RemoveFile(temporary);
        return false;
    }
    if (!platform::RenameFile(temporary, path)) {
        platform::RemoveFile(temporary);
        return false;
    }
    return true;
}

} // namespace Game
