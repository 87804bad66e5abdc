#pragma once
// Elapsed time in seconds for the engine, read from the platform clock (so a
// test's virtual clock drives it). The exact timer counts the
// high-resolution counter; the simple one the 32-bit millisecond tick.

#include <cstdint>
#include <memory>

#include "platform/process_slot.h"

class ITimer_t {
public:
    virtual ~ITimer_t() = default;
    virtual void Reset() = 0;
    // Seconds since the last Reset or Lap.
    virtual double Elapsed() = 0;
    // Elapsed, and measuring starts again from now.
    virtual double Lap() = 0;
};

class ExactTimer_t final : public ITimer_t {
public:
    void Reset() override;
    double Elapsed() override;
    double Lap() override;

private:
    std::uint64_t mStart = 0;
};

class SimpleTimer_t final : public ITimer_t {
public:
    void Reset() override;
    double Elapsed() override;
    double Lap() override;

private:
    std::uint32_t mStart = 0;
};

class Timer_t {
public:
    enum class Kind { Exact, Simple };
    // The platform always has a high-resolution counter, so the exact timer
    // is the default; tests can ask for the simple one.
    explicit Timer_t(Kind kind = Kind::Exact);
    virtual ~Timer_t() = default;
    Timer_t(const Timer_t&) = delete;
    Timer_t& operator=(const Timer_t&) = delete;

    ITimer_t& Impl() { return *mImpl; }

private:
    std::unique_ptr<ITimer_t> mImpl;
};

// The engine's process-wide timer, installed by the application (and by
// tests that need one).
extern platform::ProcessSlot<Timer_t> gEngineTimer;
