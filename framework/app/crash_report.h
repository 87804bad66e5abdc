#pragma once
// The text of a crash report ("crash.txt"): the exception, where it
// happened, the call stack, the registers, the system, and the
// application's own lines. CR LF line ends throughout.

#include <cstdint>
#include <string>
#include <vector>

namespace Kavo {

class CrashMapFile;
class LogicalAddressFinder;

struct CrashRegisters {
    uint64_t rax = 0, rbx = 0, rcx = 0, rdx = 0, rsi = 0, rdi = 0;
    uint64_t r8 = 0, r9 = 0, r10 = 0, r11 = 0, r12 = 0, r13 = 0, r14 = 0, r15 = 0;
    uint64_t rip = 0, rsp = 0, rbp = 0;
    uint32_t flags = 0;
    uint16_t cs = 0, fs = 0, gs = 0;
};

// What the catcher knows about a fault when it happens.
struct CrashContext {
    uint32_t code = 0;
    uint64_t address = 0; // of the faulting instruction
    uint32_t threadId = 0;
    CrashRegisters registers;
    std::vector<uintptr_t> frames; // return addresses, innermost first
};

struct CrashReport {
    std::string title; // "Exception at SSSS:OOOOOOOO"
    std::string text;
};

// crashInfoText is appended after a blank line when not empty; with a map
// file, logical addresses are resolved to names.
CrashReport BuildCrashReport(const CrashContext& context, LogicalAddressFinder& finder,
                             const std::string& crashInfoText, const CrashMapFile* map);

// The parts, for tests and for the report above.
std::string FormatStackFrames(const std::vector<uintptr_t>& frames, LogicalAddressFinder& finder);
std::string FormatRegisters(const CrashRegisters& registers);
std::string FormatSystemLine();

} // namespace Kavo
