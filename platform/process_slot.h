#pragma once
// Process-wide services (drivers, clock, registry store, pak reader, image
// registry, the 3D question...) each live in one ProcessSlot. Whoever needs
// one asks the slot; whoever provides one installs it with an Installed<T>
// for a scope, which puts the previous occupant back when the scope ends.
// The application does this once at start-up, tests do it per test through
// one fixture, and nothing installs itself on first use.
//
// A reader gets a shared_ptr, so an object swapped out while another thread
// still uses it stays alive until that call returns. An object installed by
// reference (not owned by the slot) must outlive its Installed<T>.

#include <atomic>
#include <memory>
#include <utility>

namespace platform {

template <typename T>
class ProcessSlot {
public:
    ProcessSlot() = default;
    ProcessSlot(const ProcessSlot&) = delete;
    ProcessSlot& operator=(const ProcessSlot&) = delete;

    // The current occupant, kept alive for as long as the result is held.
    std::shared_ptr<T> Get() const { return mValue.load(std::memory_order_acquire); }
    // Puts `value` in and hands back what was there.
    std::shared_ptr<T> Exchange(std::shared_ptr<T> value) {
        return mValue.exchange(std::move(value), std::memory_order_acq_rel);
    }

private:
    std::atomic<std::shared_ptr<T>> mValue;
};

// A shared_ptr that does not own `object`: for occupants whose owner keeps
// them alive for longer than they are installed.
template <typename T>
std::shared_ptr<T> Unowned(T& object) {
    return std::shared_ptr<T>(std::shared_ptr<T>(), &object);
}

// Installs an occupant for the lifetime of this object, then restores the
// previous one. Installers nest; they must be destroyed in reverse order.
template <typename T>
class Installed {
public:
    Installed(ProcessSlot<T>& slot, std::shared_ptr<T> value)
        : mSlot(slot), mPrevious(slot.Exchange(std::move(value))) {}
    Installed(ProcessSlot<T>& slot, T& object) : Installed(slot, Unowned(object)) {}
    ~Installed() { mSlot.Exchange(std::move(mPrevious)); }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

private:
    ProcessSlot<T>& mSlot;
    std::shared_ptr<T> mPrevious;
};

} // namespace platform
