#include "framework/app/elf_sections.h"

#include <elf.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

namespace Kavo {

bool ElfSections::Fail(const char* error) {
    if (mError.empty())
        mError = error;
    mSections.clear();
    return false;
}

bool ElfSections::ReadHeader(std::string_view bytes, uint64_t* tableOffset, uint64_t* tableSize) {
    mSections.clear();
    mError.clear();
    Elf64_Ehdr header;
    if (bytes.size() < sizeof header)
        return Fail("shorter than an ELF header");
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return Fail("not an ELF file");
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        return Fail("not a 64-bit little-endian ELF file");
    if (header.e_shnum == 0)
        return Fail("no section table");
    if (header.e_shentsize < sizeof(Elf64_Shdr))
        return Fail("section entries too small");
    if (header.e_shentsize > 1024)
        return Fail("section entries too large");
    mFixedPosition = header.e_type == ET_EXEC;
    mCount = header.e_shnum;
    mEntrySize = header.e_shentsize;
    *tableOffset = header.e_shoff;
    *tableSize = uint64_t(mCount) * mEntrySize;
    return true;
}

void ElfSections::ReadTable(std::string_view table) {
    for (uint32_t i = 0; i < mCount; ++i) {
        Elf64_Shdr entry;
        std::memcpy(&entry, table.data() + uint64_t(i) * mEntrySize, sizeof entry);
        mSections.push_back(ElfSection{i, entry.sh_addr, entry.sh_size, (entry.sh_flags & SHF_ALLOC) != 0});
    }
}

bool ElfSections::Read(std::string_view bytes) {
    uint64_t offset = 0;
    uint64_t size = 0;
    if (!ReadHeader(bytes, &offset, &size))
        return false;
    if (offset > bytes.size() || size > bytes.size() - offset)
        return Fail("section table past the end of the file");
    ReadTable(bytes.substr(offset, size));
    return true;
}

bool ElfSections::ReadFile(const std::string& path) {
    mError.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail("cannot open the file");
    char header[sizeof(Elf64_Ehdr)];
    uint64_t offset = 0;
    uint64_t size = 0;
    std::string table;
    bool ok = pread(fd, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header) &&
              ReadHeader(std::string_view(header, sizeof header), &offset, &size);
    if (ok) {
        table.resize(size); // at most 65535 entries of at most 65535 bytes
        ok = pread(fd, table.data(), size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
        if (ok)
            ReadTable(table);
        else
            Fail("section table past the end of the file");
    } else if (mError.empty()) {
        Fail("shorter than an ELF header");
    }
    close(fd);
    return ok;
}

const ElfSection* ElfSections::Find(uint64_t address) const {
    for (const ElfSection& section : mSections) {
        if (section.loaded && address >= section.address && address - section.address < section.size)
            return &section;
    }
    return nullptr;
}

} // namespace Kavo
