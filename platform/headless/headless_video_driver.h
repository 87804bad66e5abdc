#pragma once
// The video driver without a screen: it records the windows it is told
// about, keeps a copy of the last frame presented to each window exactly as
// it was given (bytes, pitch, format, size and destination), and answers
// questions about the display from what the test configured.

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/video_driver.h"

namespace platform {

class HeadlessVideoDriver final : public VideoDriver {
public:
    struct Frame {
        std::vector<std::uint8_t> bytes; // FrameSpan bytes from the first pixel
        PixelFormat format;
        int pitch = 0;
        int width = 0;
        int height = 0;
        Rect destination;
        // The raw pixel value at (x, y); 0 outside the frame.
        std::uint32_t PixelAt(int x, int y) const;
    };
    struct MirroredWindow {
        WindowMirror mirror; // kept up to date by the calls below
        bool fullScreen = false;
    };
    struct CursorState {
        std::optional<SystemCursor> system = SystemCursor::Arrow;
        CursorId custom = 0;
        bool shown = true;
        WindowHandle window = nullptr;
        Point position;
    };

    HeadlessVideoDriver();

    const char* Name() const override { return "headless"; }
    bool HasDisplay() const override;
    void PumpEvents() override;
    void CreateWindow(WindowHandle window, const WindowMirror& mirror) override;
    void DestroyWindow(WindowHandle window) override;
    void ShowWindow(WindowHandle window, WindowShowState show) override;
    void MoveWindow(WindowHandle window, Point clientOrigin) override;
    void ResizeWindow(WindowHandle window, int clientWidth, int clientHeight) override;
    void SetWindowTitle(WindowHandle window, std::string_view title) override;
    bool Present(WindowHandle window, const FrameView& frame, const Rect& destination) override;
    // The last frame presented to the window, at its own size.
    bool ReadWindowPixels(WindowHandle window, int& width, int& height, std::vector<std::uint32_t>& argb) override;
    bool SetFullScreen(WindowHandle window, bool fullScreen) override;
    std::vector<DisplayMode> ListDisplayModes() override;
    DisplayMode GetDesktopMode() override;
    bool SetDisplayMode(const DisplayMode& mode) override;
    void RestoreDesktopMode() override;
    bool WaitForVerticalBlank() override;
    std::optional<int> GetScanLine() override;
    bool SetSystemCursor(SystemCursor cursor) override;
    CursorId CreateCursor(const CursorImage& image) override;
    bool SetCustomCursor(CursorId cursor) override;
    void DestroyCursor(CursorId cursor) override;
    void ShowCursor(bool show) override;
    void SetCursorPosition(WindowHandle window, Point client) override;
    void SetTextInputRect(WindowHandle window, std::optional<Rect> caret) override;

    // ---- What tests read and configure ----
    std::optional<Frame> LastFrame(WindowHandle window) const;
    std::optional<MirroredWindow> Window(WindowHandle window) const;
    std::size_t WindowCount() const;
    int PumpCount() const;
    CursorState Cursor() const;
    // The last text-input rectangle set for the window; nothing when none.
    std::optional<Rect> TextInputRect(WindowHandle window) const;
    std::optional<CursorImage> CustomCursorImage(CursorId cursor) const;
    // The mode set last (the desktop mode after RestoreDesktopMode).
    DisplayMode CurrentMode() const;
    void SetDisplayModes(std::vector<DisplayMode> modes, const DisplayMode& desktop);
    // Whether HasDisplay answers yes (it does unless told otherwise).
    void SetHasDisplay(bool hasDisplay);
    // While set, every SetDisplayMode is refused (and still logged).
    void RefuseDisplayModes(bool refuse);
    // Every SetDisplayMode asked for, accepted or refused, in order.
    std::vector<DisplayMode> DisplayModeRequests() const;
    int DesktopModeRestores() const;

private:
    mutable std::mutex mMutex;
    std::map<WindowHandle, MirroredWindow> mWindows;
    std::map<WindowHandle, Frame> mFrames;
    std::map<CursorId, CursorImage> mCursors;
    CursorId mNextCursor = 1;
    CursorState mCursor;
    std::map<WindowHandle, Rect> mTextInputRects;
    std::vector<DisplayMode> mModes;
    DisplayMode mDesktopMode;
    DisplayMode mCurrentMode;
    std::vector<DisplayMode> mModeRequests;
    int mModeRestores = 0;
    bool mRefuseModes = false;
    bool mHasDisplay = true;
    int mPumps = 0;
};

} // namespace platform
