#pragma once
// The two replay dialogs of a playing demo, "Marker List" and "Jump To
// Time". They live in a widget manager of their own, drawn over the game
// area after the game's widgets, and take the real mouse and keyboard while
// one is open: the game's widgets see none of it, and the replay holds still
// until the dialog closes, as behind a modal window.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/demo_jump_text.h"
#include "framework/widget/dialog_listener.h"
#include "framework/widget/edit_listener.h"
#include "framework/widget/list_listener.h"
#include "platform/window.h"

namespace Kavo {

class Dialog;
class EditWidget;
class Font;
class Image;
class KavoAppBase;
class ListWidget;
class WidgetManager;

// What the dialogs report back to the replay.
class DemoControlsListener {
public:
    virtual ~DemoControlsListener() = default;
    // A double click on a marker still ahead.
    virtual void MarkerChosen(int32_t updateCount) = 0;
    // "Ok" in Jump To Time, with the edit text (at most kJumpTimeMaxChars).
    virtual void JumpTimeEntered(const std::string& text) = 0;
    // After either dialog closed, whatever closed it.
    virtual void ControlsClosed() = 0;
};

class DemoControls : public ListListener, public EditListener, public DialogListener {
public:
    static constexpr int32_t kMarkerListId = 100;
    static constexpr int32_t kJumpEditId = 100;

    DemoControls(KavoAppBase& app, DemoControlsListener& listener);
    ~DemoControls() override;
    DemoControls(const DemoControls&) = delete;
    DemoControls& operator=(const DemoControls&) = delete;

    // Each replaces a dialog already open.
    void ShowMarkerList(const std::vector<MarkerListEntry>& entries);
    // The edit field starts with `text`, all of it selected.
    void ShowJumpToTime(const std::string& text);
    void Close();
    bool IsOpen() const { return mDialog != nullptr && !mClosing; }

    // A real input message of the main window (window coordinates).
    void HandleMessage(const platform::Message& message);
    // One update of the dialog's widgets (caret blink, hilites).
    void Update();
    // Draws the open dialog onto the screen image.
    void Draw(Image* screen);

    // What is open, for the replay and its tests.
    Dialog* GetDialog() const { return mDialog.get(); }
    ListWidget* GetMarkerList() const { return mList.get(); }
    EditWidget* GetJumpEdit() const { return mEdit.get(); }

    void ListClicked(int32_t id, int32_t line, int32_t clickCount) override;
    void EditWidgetText(int32_t id, const std::string& text) override;
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;

private:
    void Open(std::unique_ptr<Dialog> dialog, int32_t width, int32_t height);
    // The dialog is taken down once the input that closed it has returned
    // (a widget must not be deleted inside its own handler); the listener
    // hears of it then.
    void Finish() { mClosing = true; }
    void FinishPending();
    void AcceptJumpText();

    KavoAppBase& mApp;
    DemoControlsListener& mListener;
    std::unique_ptr<WidgetManager> mManager;
    std::unique_ptr<Font> mFont;
    std::unique_ptr<Dialog> mDialog;
    std::unique_ptr<ListWidget> mList; // a child of the dialog
    std::unique_ptr<EditWidget> mEdit; // a child of the dialog
    bool mClosing = false;
    std::vector<int32_t> mMarkerUpdates;
};

} // namespace Kavo
