#pragma once
// The list of players: line 0 creates a new one, every other line is a
// user; Delete removes the selected user, Select makes it current.

#include <cstdint>
#include <memory>
#include <string>

#include "game/ui/layout_dialog.h"

namespace Kavo {
class ListWidget;
class ScrollbarWidget;
} // namespace Kavo

namespace Game {

class ChangeUserDialog : public LayoutDialog {
public:
    static constexpr int32_t kListId = 0;
    static constexpr int32_t kScrollbarId = 1;
    static constexpr int32_t kDeleteButton = 1;
    static constexpr int32_t kSelectButton = 2;
    static constexpr int32_t kCancelButton = 3;

    explicit ChangeUserDialog(const std::string& layoutFile, int32_t id = 0);
    ~ChangeUserDialog() override;

    void FillList();
    // Select and Delete need a user.
    void UpdateButtons();
    void ButtonDepress(int32_t buttonId) override;
    void ListClicked(int32_t listId, int32_t line, int32_t clicks) override;
    // The name-entry dialog's answer.
    void DialogButtonRelease(int32_t dialogId, int32_t result) override;

    Kavo::ListWidget* GetList() const { return mList.get(); }

    Kavo::Widget* mDelete = nullptr;
    Kavo::Widget* mSelect = nullptr;
    Kavo::Widget* mCancel = nullptr;

private:
    std::unique_ptr<Kavo::ListWidget> mList;
    std::unique_ptr<Kavo::ScrollbarWidget> mScrollbar;
};

} // namespace Game
