#pragma once
// A developer profiler of named code sections. While it runs, section starts
// and ends are buffered as events stamped by the processor's tick counter
// (framework/util/cpu_ticks.h); they are folded into one record per name and
// turned into a text report when the run ends.
//
// Main thread only. Section names are constant texts that outlive the run.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/process_slot.h"

namespace Kavo {

class Profiler {
public:
    struct Record {
        std::uint64_t startTime = 0; // of the outermost open call
        std::uint64_t totalTicks = 0;
        double totalMs = 0.0;
        double longest = 0.0; // ticks while running, milliseconds after End
        int depth = 0;
        int calls = 0;
    };

    // Starts a run: forgets the records and buffered events, and records
    // sections unless `measureOnly` (then only the total time is taken).
    void Begin(bool measureOnly = false);
    // Ends the run and converts its times to milliseconds.
    void End();
    // Folds the buffered events into the records.
    void FlushEvents();
    // "Total Time: …" and one line per name, in case-insensitive name order.
    std::string GetReport() const;

    bool IsRunning() const { return mRunning; }
    // Buffer a section start or end, stamped now; nothing when not running.
    void StartSection(const char* name);
    void EndSection(const char* name);

    double GetTotalMs() const { return mTotalMs; }
    // The record of `name` (any letter case), or null.
    const Record* FindRecord(const char* name) const;

private:
    struct Event {
        const char* name;
        bool start;
        std::uint64_t time;
    };
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    void AddEvent(const char* name, bool start);
    void Fold(const Event& event);

    std::vector<Event> mEvents;
    std::map<std::string, Record, NameLess> mRecords;
    bool mRunning = false;
    std::uint64_t mStartTime = 0;
    std::uint64_t mOverhead = 0;
    double mTotalMs = 0.0;
};

// The process's profiler, which the developer key starts and stops and code
// sections report to; the application installs one when none is installed.
platform::ProcessSlot<Profiler>& ProfilerSlot();

} // namespace Kavo
