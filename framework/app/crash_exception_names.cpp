#include "framework/app/crash_exception_names.h"

#include <csignal>

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

struct ExceptionName {
    uint32_t code;
    const char* name;
};

// Looked up in this order; the first match wins.
constexpr ExceptionName kExceptionNames[] = {
    {0x40000005, "Segment Notification"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0x00000000, "Wait 0"},
    {0x00000080, "Abandoned Wait 0"},
    {0x000000C0, "User APC"},
    {0x00000102, "Timeout"},
    {0x00000103, "Pending"},
    {0x80000001, "Guard Page Violation"},
    {0x80000002, "Data Type Misalignment"},
    {0xC0000005, "Access Violation"},
    {0xC0000006, "In Page Error"},
    {0xC0000017, "No Memory"},
    {0xC000001D, "Illegal Instruction"},
    {0xC0000025, "Noncontinuable Exception"},
    {0xC0000026, "Invalid Disposition"},
    {0xC000008C, "Array Bounds Exceeded"},
    {0xC000008D, "Float Denormal Operand"},
    {0xC000008E, "Divide by Zero"},
    {0xC000008F, "Float Inexact Result"},
    {0xC0000090, "Float Invalid Operation"},
    {0xC0000091, "Float Overflow"},
    {0xC0000092, "Float Stack Check"},
    {0xC0000093, "Float Underflow"},
    {0xC0000094, "Integer Divide by Zero"},
    {0xC0000095, "Integer Overflow"},
    {0xC0000096, "Privileged Instruction"},
    {0xC00000FD, "Stack Overflow"},
    {0xC000013A, "Ctrl+C Exit"},
};

} // namespace

const char* GetExceptionName(uint32_t code) {
    for (const ExceptionName& entry : kExceptionNames) {
        if (entry.code == code)
            return entry.name;
    }
    return nullptr;
}

std::string FormatExceptionLine(uint32_t code, uint64_t address, uint32_t threadId) {
    const auto wide = static_cast<unsigned long long>(address);
    if (const char* name = GetExceptionName(code))
        return FormatString("Exception: %s (code 0x%x) at address %08llX in thread %X\r\n", name, code, wide, threadId);
    return FormatString("Unknown exception: (code 0x%x) at address %08llX in thread %X\r\n", code, wide, threadId);
}

uint32_t ExceptionCodeForSignal(int signal, int signalCode, bool nearStack) {
    switch (signal) {
    case SIGSEGV:
        return nearStack ? kExceptionStackOverflow : kExceptionAccessViolation;
    case SIGFPE:
        switch (signalCode) {
        case FPE_INTDIV:
            return kExceptionIntegerDivideByZero;
        case FPE_INTOVF:
            return kExceptionIntegerOverflow;
        case FPE_FLTDIV:
            return kExceptionFloatDivideByZero;
        case FPE_FLTOVF:
            return kExceptionFloatOverflow;
        case FPE_FLTUND:
            return kExceptionFloatUnderflow;
        case FPE_FLTRES:
            return kExceptionFloatInexact;
        case FPE_FLTSUB:
            return 0xC000008C; // subscript out of range: array bounds exceeded
        default:
            return kExceptionFloatInvalid;
        }
    case SIGILL:
        return (signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG) ? kExceptionPrivilegedInstruction
                                                                      : kExceptionIllegalInstruction;
    case SIGBUS:
        return signalCode == BUS_ADRALN ? kExceptionDataMisalignment : kExceptionInPageError;
    case SIGTRAP:
        return signalCode == TRAP_TRACE ? kExceptionSingleStep : kExceptionBreakpoint;
    case SIGABRT:
    default:
        return kExceptionAbort;
    }
}

} // namespace Kavo
