#include "framework/app/crash_logical_address.h"

#include <dlfcn.h>

#include "framework/app/crash_map_file.h"

namespace Kavo {

const ElfSections* LogicalAddressFinder::SectionsOf(const std::string& path) {
    auto found = mModules.find(path);
    if (found == mModules.end()) {
        ElfSections sections;
        // The program itself may have been started by a relative name from
        // another folder.
        if (!sections.ReadFile(path))
            sections.ReadFile("/proc/self/exe");
        found = mModules.emplace(path, std::move(sections)).first;
    }
    return found->second.Sections().empty() ? nullptr : &found->second;
}

LogicalAddress LogicalAddressFinder::Find(uintptr_t address) {
    LogicalAddress result;
    Dl_info info{};
    if (address == 0 || dladdr(reinterpret_cast<void*>(address), &info) == 0 || info.dli_fname == nullptr)
        return result;
    const std::string path = info.dli_fname;
    const ElfSections* sections = SectionsOf(path);
    if (sections == nullptr)
        return result;
    const uint64_t base = reinterpret_cast<uintptr_t>(info.dli_fbase);
    const uint64_t relative = sections->IsFixedPosition() ? address : address - base;
    const ElfSection* section = sections->Find(relative);
    if (section == nullptr)
        return result;
    result.section = section->index;
    result.offset = static_cast<uint32_t>(relative - section->address);
    result.modulePath = path;
    result.moduleName = path.substr(path.find_last_of('/') + 1);
    if (info.dli_sname != nullptr && info.dli_saddr != nullptr) {
        result.symbol = CrashMapFile::Undecorate(info.dli_sname);
        result.symbolDistance = address - reinterpret_cast<uintptr_t>(info.dli_saddr);
    }
    return result;
}

} // namespace Kavo
