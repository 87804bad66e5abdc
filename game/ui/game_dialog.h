#pragma once
// The base of every screen and dialog of the game: a framework dialog with
// no images and no buttons that listens to every kind of control (all
// notifications empty here), and the three steps of a screen switch.

#include <cstdint>
#include <string>

#include "framework/widget/checkbox_listener.h"
#include "framework/widget/dialog.h"
#include "framework/widget/dialog_listener.h"
#include "framework/widget/edit_listener.h"
#include "framework/widget/list_listener.h"
#include "framework/widget/slider_listener.h"

namespace Game {

class GameDialog : public Kavo::Dialog,
                   public Kavo::ListListener,
                   public Kavo::CheckboxListener,
                   public Kavo::SliderListener,
                   public Kavo::EditListener,
                   public Kavo::DialogListener {
public:
    GameDialog(int32_t id, bool modal);

    void CheckboxChecked(int32_t, bool) override {}
    void SliderVal(int32_t, double) override {}

    // Before the screen joins the widget manager.
    virtual void OnPrepare() {}
    // Once it is in the widget manager.
    virtual void OnEnter() {}
    // Before it leaves the widget manager.
    virtual void OnLeave() {}

    // Set to 1 by the screen switches that bring the map back from the
    // board and the reward screen up from the main menu; those screens
    // read it.
    int32_t mSwitchFlag = 0;
};

} // namespace Game
