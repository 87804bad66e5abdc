#pragma once
// The help pages: a pop-up dialog that shows the pages of "data/help.txt"
// one at a time; its "Next" button turns them and reads "done" on the last.

#include <cstdint>
#include <string>

#include "game/ui/layout_dialog.h"
#include "game/ui/page_set.h"

namespace Kavo {
class ButtonWidget;
} // namespace Kavo

namespace Game {

class HelpDialog : public LayoutDialog {
public:
    static constexpr int32_t kNextButton = 1;
    static constexpr int32_t kDoneResult = 1000;
    static constexpr int32_t kEscape = 27;

    explicit HelpDialog(const std::string& layoutPath, const std::string& pagesPath = "data/help.txt");

    void Draw(Kavo::Graphics* g) override;
    void ButtonDepress(int32_t buttonId) override;
    void ButtonMouseEnter(int32_t buttonId) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void KeyUp(int32_t key) override;

    size_t GetPageIndex() const { return mPageIndex; }
    bool IsAtEnd() const { return mAtEnd; }
    const PageSet& GetPages() const { return mPages; }

private:
    bool IsLastPage() const { return mPageIndex + 1 >= mPages.GetPageCount(); }
    // The last page ends the dialog; any other turns to the next one.
    void Advance();
    void RefreshCaption();

    PageSet mPages;
    size_t mPageIndex = 0;
    bool mAtEnd = false;
    Kavo::ButtonWidget* mNextButton = nullptr;
};

} // namespace Game
