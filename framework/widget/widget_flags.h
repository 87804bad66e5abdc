#pragma once

#include <cstdint>

namespace Kavo {

// The bits of the flags word that every traversal of the widget tree carries.
enum WidgetFlags : int32_t {
    WIDGETFLAGS_UPDATE = 1,       // Update and UpdateF run
    WIDGETFLAGS_MARK_DIRTY = 2,   // the node is marked dirty on every update
    WIDGETFLAGS_DRAW = 4,         // Draw runs
    WIDGETFLAGS_CLIP = 8,         // drawing is clipped to the node's rectangle
    WIDGETFLAGS_ALLOW_MOUSE = 16, // the node can be hit by the mouse
    WIDGETFLAGS_ALLOW_FOCUS = 32, // the node may keep the focus
};

// Bits one node adds to and removes from the word it receives.
struct FlagsMod {
    int32_t mAddFlags = 0;
    int32_t mRemoveFlags = 0;

    constexpr int32_t Apply(int32_t flags) const { return (flags | mAddFlags) & ~mRemoveFlags; }
    constexpr bool operator==(const FlagsMod&) const = default;
};

// The two words of a traversal: widgets drawn from the base modal widget on
// use the over flags, those before it the under flags.
struct ModalFlags {
    int32_t mOverFlags = 0;
    int32_t mUnderFlags = 0;
    bool mIsOver = false;

    constexpr int32_t GetFlags() const { return mIsOver ? mOverFlags : mUnderFlags; }
    void Apply(const FlagsMod& mod) {
        mOverFlags = mod.Apply(mOverFlags);
        mUnderFlags = mod.Apply(mUnderFlags);
    }
};

// Restores both words of a traversal (not is-over) when the node is left.
class AutoModalFlags {
public:
    AutoModalFlags(ModalFlags& flags, const FlagsMod& mod)
        : mFlags(flags), mOldOverFlags(flags.mOverFlags), mOldUnderFlags(flags.mUnderFlags) {
        flags.Apply(mod);
    }
    ~AutoModalFlags() {
        mFlags.mOverFlags = mOldOverFlags;
        mFlags.mUnderFlags = mOldUnderFlags;
    }
    AutoModalFlags(const AutoModalFlags&) = delete;
    AutoModalFlags& operator=(const AutoModalFlags&) = delete;

private:
    ModalFlags& mFlags;
    int32_t mOldOverFlags;
    int32_t mOldUnderFlags;
};

} // namespace Kavo
