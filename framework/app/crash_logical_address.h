#pragma once
// Where a code address lies in the program's files: the module (executable
// or shared library) that holds it and its section number and offset there,
// which stay the same from run to run whatever address the module was
// loaded at.

#include <cstdint>
#include <map>
#include <string>

#include "framework/app/elf_sections.h"

namespace Kavo {

struct LogicalAddress {
    uint32_t section = 0; // 0 when no module or section holds the address
    uint32_t offset = 0;
    std::string modulePath;
    std::string moduleName; // without its folder
    std::string symbol;     // the nearest exported symbol, demangled, or empty
    uint64_t symbolDistance = 0;
};

// Reads each module's section table once, for the addresses of one report.
class LogicalAddressFinder {
public:
    LogicalAddress Find(uintptr_t address);

private:
    const ElfSections* SectionsOf(const std::string& path);

    std::map<std::string, ElfSections> mModules;
};

} // namespace Kavo
