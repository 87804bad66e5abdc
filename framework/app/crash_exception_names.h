#pragma once
// The exception codes a crash report names, and its first line.

#include <cstdint>
#include <string>

namespace Kavo {

inline constexpr uint32_t kExceptionAccessViolation = 0xC0000005;
inline constexpr uint32_t kExceptionInPageError = 0xC0000006;
inline constexpr uint32_t kExceptionIllegalInstruction = 0xC000001D;
inline constexpr uint32_t kExceptionDataMisalignment = 0x80000002;
inline constexpr uint32_t kExceptionBreakpoint = 0x80000003;
inline constexpr uint32_t kExceptionSingleStep = 0x80000004;
inline constexpr uint32_t kExceptionFloatDenormal = 0xC000008D;
inline constexpr uint32_t kExceptionFloatDivideByZero = 0xC000008E;
inline constexpr uint32_t kExceptionFloatInexact = 0xC000008F;
inline constexpr uint32_t kExceptionFloatInvalid = 0xC0000090;
inline constexpr uint32_t kExceptionFloatOverflow = 0xC0000091;
inline constexpr uint32_t kExceptionFloatUnderflow = 0xC0000093;
inline constexpr uint32_t kExceptionIntegerDivideByZero = 0xC0000094;
inline constexpr uint32_t kExceptionIntegerOverflow = 0xC0000095;
inline constexpr uint32_t kExceptionPrivilegedInstruction = 0xC0000096;
inline constexpr uint32_t kExceptionStackOverflow = 0xC00000FD;
// Codes outside the table, reported in the "Unknown exception" form:
// an uncaught C++ exception (std::terminate) and abort().
inline constexpr uint32_t kExceptionCpp = 0xE06D7363;
inline constexpr uint32_t kExceptionAbort = 0x40000015;

// The table's name for the code, or null.
const char* GetExceptionName(uint32_t code);

// "Exception: <name> (code 0x<code>) at address <address> in thread <id>"
// with CR LF, or the "Unknown exception" form for a code not in the table.
std::string FormatExceptionLine(uint32_t code, uint64_t address, uint32_t threadId);

// The code for a fault signal and its si_code. nearStack tells that the
// faulting address lies just below the stack pointer (a stack overflow).
uint32_t ExceptionCodeForSignal(int signal, int signalCode, bool nearStack);

} // namespace Kavo
