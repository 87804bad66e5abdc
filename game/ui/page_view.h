#pragma once
// A page file shown as the comics show it: the texts of a page appear one
// after another in a speech balloon, typed a character at a time, each held
// for a while before the next; the page's pictures stay beside them.

#include <cstdint>
#include <string>

#include "framework/util/lazy_transform.h"
#include "game/ui/page_set.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class PageViewListener {
public:
    virtual ~PageViewListener() = default;
    // The text of that index on the current page has been shown and held.
    virtual void PageEntryFinished(int32_t entryIndex) = 0;
    // The last text of the last page has been shown and held.
    virtual void PagesFinished() = 0;
};

class PageView {
public:
    // The balloon picture is drawn from this size to each text's rectangle.
    static constexpr float kBalloonWidth = 90.0f;
    static constexpr float kBalloonHeight = 47.0f;

    // Reads the file and starts at its first page. One more character shows
    // every `revealRate` update steps; a rate of 0 or less shows each text
    // whole at once. The listener is not owned and may be null.
    void Load(const std::string& path, PageViewListener* listener, int32_t revealRate);
    // Starts showing that page from its first text.
    void Show(size_t page);
    // One update step.
    void Update();
    // Shows the current text whole and moves its time to the end of typing.
    void Skip();
    void Draw(Kavo::Graphics* g);

    // Not owned; null draws no balloon.
    void SetBalloon(Kavo::Image* image) { mBalloon = image; }

    bool IsFinished() const { return mFinished; }
    size_t GetPageIndex() const { return mPage; }
    size_t GetEntryIndex() const { return mEntry; }
    int32_t GetShownChars() const { return mShown; }
    const std::string& GetEntryText() const { return mText; }
    const PageSet& GetPages() const { return mPages; }

private:
    const PageText* CurrentText() const;
    // Makes the entry current (measuring it) or, past the page's last
    // entry, moves on to the next page.
    void BeginEntry();

    PageSet mPages;
    size_t mPage = 0;
    size_t mEntry = 0;
    int32_t mTick = 0;
    int32_t mShown = 0;
    int32_t mRevealRate = 1;
    bool mFinished = true;
    PageViewListener* mListener = nullptr;
    Kavo::Image* mBalloon = nullptr;
    Kavo::LazyTransform mBalloonTransform;
    Kavo::IntRect mEntryRect; // its height measured for the current text
    std::string mText;
};

} // namespace Game
