#include "framework/util/profiler.h"

#include <strings.h>

#include <algorithm>

#include "framework/util/cpu_ticks.h"
#include "framework/util/string_util.h"

namespace Kavo {

bool Profiler::NameLess::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

void Profiler::Begin(bool measureOnly) {
    mRecords.clear();
    mEvents.clear();
    mOverhead = 0;
    mRunning = !measureOnly;
    mStartTime = ReadTimeStampCounter();
}

void Profiler::StartSection(const char* name) {
    AddEvent(name, true);
}

void Profiler::EndSection(const char* name) {
    AddEvent(name, false);
}

void Profiler::AddEvent(const char* name, bool start) {
    if (mRunning)
        mEvents.push_back({name, start, ReadTimeStampCounter()});
}

void Profiler::Fold(const Event& event) {
    if (event.start) {
        Record& record = mRecords[event.name];
        ++record.calls;
        if (++record.depth == 1)
            record.startTime = event.time;
        return;
    }
    // An end without an open call (a name never started, or one ended once
    // too often) is ignored, so that it cannot spoil the calls after it.
    auto found = mRecords.find(event.name);
    if (found == mRecords.end() || found->second.depth == 0)
        return;
    Record& record = found->second;
    if (--record.depth == 0) {
        const std::uint64_t ticks = event.time - record.startTime;
        record.totalTicks += ticks;
        record.longest = std::max(record.longest, static_cast<double>(ticks));
    }
}

void Profiler::FlushEvents() {
    const std::uint64_t begin = ReadTimeStampCounter();
    for (const Event& event : mEvents)
        Fold(event);
    mEvents.clear();
    mOverhead += ReadTimeStampCounter() - begin;
}

void Profiler::End() {
    const std::uint64_t entry = ReadTimeStampCounter();
    // Only the folding done inside the run is taken off; the final fold
    // below happens after `entry` and is not part of the measured time.
    const std::uint64_t overhead = mOverhead;
    FlushEvents();
    mRunning = false;
    const double ticksPerMs = static_cast<double>(GetCpuTicksPerSecond()) / 1000.0;
    mTotalMs = static_cast<double>(entry - mStartTime - overhead) / ticksPerMs;
    for (auto& [name, record] : mRecords) {
        record.totalMs = static_cast<double>(record.totalTicks) / ticksPerMs;
        record.longest = record.longest / ticksPerMs;
    }
}

const Profiler::Record* Profiler::FindRecord(const char* name) const {
    auto found = mRecords.find(name);
    return found == mRecords.end() ? nullptr : &found->second;
}

std::string Profiler::GetReport() const {
    std::string report = FormatString("Total Time: %.2f\n", mTotalMs);
    for (const auto& [name, record] : mRecords) {
        // A run of no measurable length has no shares to give.
        const double share = mTotalMs != 0.0 ? record.totalMs / mTotalMs * 100.0 : 0.0;
        const double average = record.totalMs / record.calls; // a record exists only after a start
        report += FormatString("%s (%d calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", name.c_str(),
                               record.calls, share, record.totalMs, average, record.longest);
    }
    return report;
}

platform::ProcessSlot<Profiler>& ProfilerSlot() {
    static platform::ProcessSlot<Profiler> slot;
    return slot;
}

} // namespace Kavo
