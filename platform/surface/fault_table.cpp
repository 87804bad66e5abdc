#include "platform/surface/fault_table.h"

namespace platform {

void FaultTable::FailCall(DisplayOperation operation, int call, HResult code) {
    std::lock_guard lock(mMutex);
    mFaults.push_back({operation, call, false, code});
}

void FaultTable::FailCallsFrom(DisplayOperation operation, int call, HResult code) {
    std::lock_guard lock(mMutex);
    mFaults.push_back({operation, call, true, code});
}

void FaultTable::Clear() {
    std::lock_guard lock(mMutex);
    mFaults.clear();
    mCalls.fill(0);
}

HResult FaultTable::Check(DisplayOperation operation) {
    std::lock_guard lock(mMutex);
    const int call = ++mCalls[static_cast<std::size_t>(operation)];
    for (const Fault& fault : mFaults) {
        if (fault.operation == operation && (call == fault.firstCall || (fault.onwards && call > fault.firstCall))) {
            return fault.code;
        }
    }
    return DD_OK;
}

int FaultTable::Calls(DisplayOperation operation) const {
    std::lock_guard lock(mMutex);
    return mCalls[static_cast<std::size_t>(operation)];
}

} // namespace platform
