#include "framework/util/alloc_tracker.h"

#include "framework/util/debug_trace.h"

#include <cstdio>
#include <ctime>

namespace Kavo {

AllocTracker::AllocTracker() : mAlive(true) {}

AllocTracker::~AllocTracker() {
    if (mReportAtExit)
        DumpLeaks();
    std::lock_guard<std::recursive_mutex> guard(mLock);
    mAlive = false;
}

void AllocTracker::AddTrack(const void* address, std::int32_t size, const char* file, std::int32_t line) {
    AllocRecord record;
    record.mSize = size;
    record.mFile = std::string(file ? file : "").substr(0, kMaxFileLength);
    record.mLine = line;
    std::lock_guard<std::recursive_mutex> guard(mLock);
    mRecords[reinterpret_cast<std::uintptr_t>(address)] = std::move(record);
}

void AllocTracker::RemoveTrack(const void* address) {
    std::lock_guard<std::recursive_mutex> guard(mLock);
    mRecords.erase(reinterpret_cast<std::uintptr_t>(address));
}

void AllocTracker::DumpLeaks() {
    std::lock_guard<std::recursive_mutex> guard(mLock);
    if (!mAlive)
        return;
    std::FILE* file = std::fopen("mem_leaks.txt", "wt");
    if (file == nullptr)
        return;

    auto toBoth = [file](const std::string& text) {
        std::fputs(text.c_str(), file);
        DebugOutputText(text);
    };

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char when[64] = "";
    if (localtime_r(&now, &local) == nullptr || asctime_r(&local, when) == nullptr)
        when[0] = '\0';
    const std::string header = std::string("Memory Leak Report for ") + when + "\n";
    std::fputs(header.c_str(), file);
    DebugOutputText("\n");
    DebugOutputText(header);

    std::int64_t total = 0;
    char line[kMaxFileLength + 96];
    for (const auto& [address, record] : mRecords) {
        std::snprintf(line, sizeof(line), "%s(%d) : Leak %d byte%s\n", record.mFile.c_str(), record.mLine, record.mSize,
                      record.mSize < 2 ? "" : "s");
        toBoth(line);
        total += record.mSize;
    }

    toBoth("-----------------------------------------------------------\n");
    std::snprintf(line, sizeof(line), "Total Unfreed: %lld bytes (%lldKB)\n\n", static_cast<long long>(total),
                  static_cast<long long>(total / 1024));
    toBoth(line);
    std::fclose(file);
}

AllocTracker& GetAllocTracker() {
    static AllocTracker tracker;
    return tracker;
}

} // namespace Kavo
