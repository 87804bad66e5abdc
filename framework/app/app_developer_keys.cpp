// The developer keys: overlays, frame stepping, slow motion, the 3D switch,
// the profiler, the tweakable constants and the reports. The window
// procedure hands key presses here while developer keys are on (Ctrl+Alt+D)
// and, during demo playback, always.
#include <cstring>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/util/mod_val_reparser.h"
#include "framework/util/profiler.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace Kavo {

namespace {

constexpr int kVkF2 = platform::kVkF1 + 1;
constexpr int kVkF3 = platform::kVkF1 + 2;
constexpr int kVkF8 = platform::kVkF1 + 7;
constexpr int kVkF10 = platform::kVkF1 + 9;
constexpr int kVkF11 = platform::kVkF1 + 10;

} // namespace

bool KavoAppBase::IsConfirmKey(int32_t character) {
    const int32_t lower = character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
    return character == 13 || lower == 'r';
}

bool KavoAppBase::HandleDeveloperKey(int32_t key) {
    if (mWidgetManager == nullptr)
        return false;
    const bool shift = mWidgetManager->mKeyDown[platform::kVkShift];
    const bool control = mWidgetManager->mKeyDown[platform::kVkControl];
    const bool alt = mWidgetManager->mKeyDown[platform::kVkMenu];
    // Time spent in a box or a report is not owed to the loop.
    const auto resetTiming = [this] {
        mUpdateFTimeAcc = 0.0;
        mLastTimeCheck = platform::GetTickMs();
    };

    switch (key) {
    case 'R':
        if (!alt)
            return false;
        // On success a confirmation sound would play; there is none here.
        if (!ModValReparser().Reparse())
            std::memset(mWidgetManager->mKeyDown, 0, sizeof(mWidgetManager->mKeyDown));
        mLastTimeCheck = platform::GetTickMs();
        return true;
    case kVkF3:
        if (shift) {
            mShowFPS = true;
            mShowFPSMode = mShowFPSMode == 0 ? 1 : 0;
        } else {
            mShowFPS = !mShowFPS;
        }
        mWidgetManager->MarkAllDirty();
        if (mShowFPS)
            ResetFPSCounter();
        return true;
    case kVkF8:
        if (shift) {
            SetHardware3D(!UsesHardware3D(), true);
            MsgBox(std::string("3D-Mode: ") + (UsesHardware3D() ? "ON" : "OFF"), "Mode Switch", platform::kMbOk);
            mLastTimeCheck = platform::GetTickMs();
        } else {
            ShowProgramInfo();
        }
        return true;
    case kVkF10:
        if (control) {
            mUpdateMultiplier = mUpdateMultiplier != 0.25 ? 0.25 : 1.0;
        } else if (shift) {
            mLoopMode = 0;
            resetTiming();
        } else {
            mLoopMode = 1;
        }
        return true;
    case kVkF11:
        if (shift)
            DumpImages();
        else
            TakeScreenshot();
        mLastTimeCheck = platform::GetTickMs();
        return true;
    case kVkF2: {
        const auto profiler = ProfilerSlot().Get();
        if (profiler == nullptr)
            return false;
        if (profiler->IsRunning()) {
            profiler->End();
            MsgBox(profiler->GetReport(), "Perf Results", platform::kMbOk);
        } else {
            profiler->Begin();
        }
        resetTiming();
        return true;
    }
    default:
        return false;
    }
}

} // namespace Kavo
