#pragma once
// Keeps the allocations still alive with the source line that made them and
// reports them as leaks to "mem_leaks.txt" in the current folder and to the
// debugger output.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace Kavo {

struct AllocRecord {
    std::int32_t mSize = 0;
    std::string mFile; // at most kMaxFileLength characters
    std::int32_t mLine = 0;
};

class AllocTracker {
public:
    static constexpr std::size_t kMaxFileLength = 259;

    AllocTracker();
    ~AllocTracker();
    AllocTracker(const AllocTracker&) = delete;
    AllocTracker& operator=(const AllocTracker&) = delete;

    // Any thread may record and release allocations.
    void AddTrack(const void* address, std::int32_t size, const char* file, std::int32_t line);
    void RemoveTrack(const void* address);

    void DumpLeaks();

    bool mReportAtExit = false;

private:
    std::recursive_mutex mLock;
    std::map<std::uintptr_t, AllocRecord> mRecords; // ordered by address
    bool mAlive = false;
};

// The process-wide tracker.
AllocTracker& GetAllocTracker();

} // namespace Kavo
