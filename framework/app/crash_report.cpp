#include "framework/app/crash_report.h"

#include <sys/utsname.h>

#include "framework/app/crash_exception_names.h"
#include "framework/app/crash_logical_address.h"
#include "framework/app/crash_map_file.h"
#include "framework/util/string_util.h"

namespace Kavo {

namespace {

unsigned long long Wide(uint64_t value) {
    return static_cast<unsigned long long>(value);
}

} // namespace

std::string FormatStackFrames(const std::vector<uintptr_t>& frames, LogicalAddressFinder& finder) {
    std::string text;
    for (const uintptr_t frame : frames) {
        const LogicalAddress where = finder.Find(frame);
        if (!where.symbol.empty())
            text += FormatString("%016llX %s+%llX\r\n", Wide(frame), where.symbol.c_str(), Wide(where.symbolDistance));
        else
            text += FormatString("%016llX %04X:%08X %s\r\n", Wide(frame), where.section, where.offset,
                                 where.moduleName.c_str());
    }
    return text;
}

std::string FormatRegisters(const CrashRegisters& r) {
    std::string text;
    text += FormatString("RAX:%016llX RBX:%016llX RCX:%016llX RDX:%016llX RSI:%016llX RDI:%016llX\r\n", Wide(r.rax),
                         Wide(r.rbx), Wide(r.rcx), Wide(r.rdx), Wide(r.rsi), Wide(r.rdi));
    text += FormatString("R8:%016llX R9:%016llX R10:%016llX R11:%016llX\r\n", Wide(r.r8), Wide(r.r9), Wide(r.r10),
                         Wide(r.r11));
    text += FormatString("R12:%016llX R13:%016llX R14:%016llX R15:%016llX\r\n", Wide(r.r12), Wide(r.r13), Wide(r.r14),
                         Wide(r.r15));
    text += FormatString("RIP:%016llX RSP:%016llX  RBP:%016llX\r\n", Wide(r.rip), Wide(r.rsp), Wide(r.rbp));
    text += FormatString("CS:%04X FS:%04X GS:%04X\r\n", r.cs, r.fs, r.gs);
    text += FormatString("Flags:%08X\r\n", r.flags);
    return text;
}

std::string FormatSystemLine() {
    utsname names{};
    if (uname(&names) != 0)
        return "System Ver: unknown\r\n";
    return FormatString("System Ver: %s %s %s %s\r\n", names.sysname, names.release, names.machine, names.version);
}

CrashReport BuildCrashReport(const CrashContext& context, LogicalAddressFinder& finder,
                             const std::string& crashInfoText, const CrashMapFile* map) {
    CrashReport report;
    std::string& text = report.text;
    text = FormatExceptionLine(context.code, context.address, context.threadId);

    const LogicalAddress where = finder.Find(static_cast<uintptr_t>(context.address));
    text += "Module: " + where.moduleName + "\r\n";
    text += FormatString("Logical Address: %04X:%08X\r\n\r\n", where.section, where.offset);
    report.title = FormatString("Exception at %04X:%08X", where.section, where.offset);

    text += FormatStackFrames(context.frames, finder);
    text += "\r\n";
    text += FormatRegisters(context.registers);
    text += "\r\n";
    text += FormatSystemLine();
    if (!crashInfoText.empty())
        text += "\r\n" + crashInfoText;
    if (map != nullptr)
        text = map->Resolve(text);
    return report;
}

} // namespace Kavo
