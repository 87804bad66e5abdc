#pragma once
// A linker map file in the section:offset text format: its public symbols
// and its line-number tables, used to put function names and source lines
// in place of the "SSSS:OOOOOOOO" logical addresses of a crash report.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace Kavo {

class CrashMapFile {
public:
    using Address = std::pair<uint32_t, uint32_t>; // section, offset
    struct SourceLine {
        std::string file;
        int line = 0;
    };

    // Reads the whole text; lines that fit none of the kinds are skipped.
    void Parse(std::string_view text);
    // The first "*.map" in the folder (by name); false when there is none.
    bool LoadFirstInFolder(const std::string& folder);

    // Every "SSSS:OOOOOOOO" in the report that falls inside a known symbol
    // becomes "name+0xD" (and, with a line table entry, the source line).
    std::string Resolve(const std::string& report) const;

    const std::map<Address, std::string>& Symbols() const { return mSymbols; }
    const std::map<Address, SourceLine>& Lines() const { return mLines; }

    // A readable name: C++ names are demangled, others stay as they are.
    static std::string Undecorate(const std::string& name);

    static constexpr std::size_t kMaxLineLength = 4095;

private:
    void ParseLine(std::string_view line);

    std::map<Address, std::string> mSymbols;
    std::map<Address, SourceLine> mLines;
    std::string mSourceFile; // of the line table being read
};

} // namespace Kavo
