#pragma once
// A text data file of the game: "[Section]" headers and "key=value" lines,
// ended by CR LF only. Sections and keys match and iterate without regard to
// ASCII letter case; ";" lines above a header or key are kept as its comment
// and written back by Save.

#include "game/ui/ini_section.h"

#include <cstddef>
#include <map>
#include <string>

namespace Game {

class IniDocument {
public:
    using SectionMap = std::map<std::string, IniSection, IniNameLess>;

    class IniIterator {
    public:
        explicit IniIterator(SectionMap::iterator it) : mIt(it) {}
        const char* Name() const { return mIt->first.c_str(); }
        IniSection& Value() const { return mIt->second; }
        IniIterator& operator++() {
            ++mIt;
            return *this;
        }
        bool operator!=(const IniIterator& other) const { return mIt != other.mIt; }
        bool operator==(const IniIterator& other) const { return mIt == other.mIt; }

    private:
        SectionMap::iterator mIt;
    };

    IniDocument() = default;
    virtual ~IniDocument() = default;

    // Reads the file through the file API (archive first, then disk). A file
    // that cannot be opened, sized or read whole leaves the document as it
    // was, also with clearFirst, and gives false.
    bool Load(const std::string& path, bool clearFirst);
    void Parse(const char* text, size_t size, bool clearFirst);
    // Writes a temporary file beside `path` and renames it over `path`, so
    // the old file stays whole when writing fails. False when it failed.
    bool Save(const std::string& path) const;

    size_t GetSectionCount() const { return mSections.size(); }
    // Never null: a missing section is created empty.
    IniSection* GetSection(const std::string& name) { return &mSections[name]; }
    bool HasSection(const std::string& name) const { return mSections.count(name) != 0; }
    void Clear() { mSections.clear(); }

    IniIterator Begin() { return IniIterator(mSections.begin()); }
    IniIterator End() { return IniIterator(mSections.end()); }

private:
    SectionMap mSections;
};

} // namespace Game
