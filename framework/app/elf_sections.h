#pragma once
// The section table of a 64-bit little-endian ELF file, read from its bytes:
// enough to turn a code address into "section:offset".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Kavo {

struct ElfSection {
    uint32_t index = 0; // the ELF section number (0 is the null section)
    uint64_t address = 0;
    uint64_t size = 0;
    bool loaded = false; // occupies memory while the program runs
};

class ElfSections {
public:
    // False with the first error text for anything that is not a complete
    // 64-bit little-endian ELF header and section table within the bytes.
    bool Read(std::string_view bytes);
    // The same from a file, reading only its header and section table.
    bool ReadFile(const std::string& path);
    const std::string& Error() const { return mError; }

    // A fixed-position executable: its section addresses are absolute;
    // otherwise they count from the load address.
    bool IsFixedPosition() const { return mFixedPosition; }
    const std::vector<ElfSection>& Sections() const { return mSections; }
    // The first loaded section whose range holds the (module-relative)
    // address, or null.
    const ElfSection* Find(uint64_t address) const;

private:
    bool Fail(const char* error);
    // Checks the header; gives where the section table lies and its size.
    bool ReadHeader(std::string_view bytes, uint64_t* tableOffset, uint64_t* tableSize);
    void ReadTable(std::string_view table);

    uint32_t mCount = 0;
    uint32_t mEntrySize = 0;

    std::vector<ElfSection> mSections;
    bool mFixedPosition = false;
    std::string mError;
};

} // namespace Kavo
