#include "platform/headless/headless_video_driver.h"

#include "platform/sdl/sdl_frame.h"

namespace platform {

std::uint32_t HeadlessVideoDriver::Frame::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const std::size_t bytesPerPixel = static_cast<std::size_t>(format.BytesPerPixel());
    const std::size_t at =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch) + static_cast<std::size_t>(x) * bytesPerPixel;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytesPerPixel; ++i)
        value |= std::uint32_t{bytes[at + i]} << (8 * i);
    return value;
}

HeadlessVideoDriver::HeadlessVideoDriver() {
    mDesktopMode = {1280, 1024, 32, 60};
    mCurrentMode = mDesktopMode;
    mModes = {{640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 16, 60}, {1024, 768, 32, 60}, mDesktopMode};
}

bool HeadlessVideoDriver::HasDisplay() const {
    std::lock_guard lock(mMutex);
    return mHasDisplay;
}

void HeadlessVideoDriver::PumpEvents() {
    std::lock_guard lock(mMutex);
    ++mPumps;
}

void HeadlessVideoDriver::CreateWindow(WindowHandle window, const WindowMirror& mirror) {
    std::lock_guard lock(mMutex);
    mWindows[window] = {mirror, false};
}

void HeadlessVideoDriver::DestroyWindow(WindowHandle window) {
    std::lock_guard lock(mMutex);
    mWindows.erase(window);
    mFrames.erase(window);
    if (mCursor.window == window)
        mCursor.window = nullptr;
}

void HeadlessVideoDriver::ShowWindow(WindowHandle window, WindowShowState show) {
    std::lock_guard lock(mMutex);
    if (auto it = mWindows.find(window); it != mWindows.end())
        it->second.mirror.show = show;
}

void HeadlessVideoDriver::MoveWindow(WindowHandle window, Point clientOrigin) {
    std::lock_guard lock(mMutex);
    if (auto it = mWindows.find(window); it != mWindows.end()) {
        Rect& client = it->second.mirror.client;
        client = {clientOrigin.x, clientOrigin.y, clientOrigin.x + client.Width(), clientOrigin.y + client.Height()};
    }
}

void HeadlessVideoDriver::ResizeWindow(WindowHandle window, int clientWidth, int clientHeight) {
    std::lock_guard lock(mMutex);
    if (auto it = mWindows.find(window); it != mWindows.end()) {
        Rect& client = it->second.mirror.client;
        client.right = client.left + clientWidth;
        client.bottom = client.top + clientHeight;
    }
}

void HeadlessVideoDriver::SetWindowTitle(WindowHandle window, std::string_view title) {
    std::lock_guard lock(mMutex);
    if (auto it = mWindows.find(window); it != mWindows.end())
        it->second.mirror.title = title;
}

bool HeadlessVideoDriver::Present(WindowHandle window, const FrameView& frame, const Rect& destination) {
    if (!IsPresentableFrame(frame))
        return false;
    const auto* first = static_cast<const std::uint8_t*>(frame.pixels);
    std::lock_guard lock(mMutex);
    if (!mWindows.count(window))
        return false;
    // Each window keeps one buffer that every frame is copied into: a game
    // presents dozens of frames a second, and a new block of megabytes for
    // each would cost more than the copy itself.
    Frame& kept = mFrames[window];
    kept.bytes.assign(first, first + FrameSpan(frame));
    kept.format = frame.format;
    kept.pitch = frame.pitch;
    kept.width = frame.width;
    kept.height = frame.height;
    kept.destination = destination;
    return true;
}

bool HeadlessVideoDriver::SetFullScreen(WindowHandle window, bool fullScreen) {
    std::lock_guard lock(mMutex);
    auto it = mWindows.find(window);
    if (it == mWindows.end())
        return false;
    it->second.fullScreen = fullScreen;
    return true;
}

std::vector<DisplayMode> HeadlessVideoDriver::ListDisplayModes() {
    std::lock_guard lock(mMutex);
    return mModes;
}

DisplayMode HeadlessVideoDriver::GetDesktopMode() {
    return CurrentMode();
}

bool HeadlessVideoDriver::SetDisplayMode(const DisplayMode& mode) {
    std::lock_guard lock(mMutex);
    mModeRequests.push_back(mode);
    if (mRefuseModes)
        return false;
    for (const DisplayMode& known : mModes) {
        if (known == mode) {
            mCurrentMode = mode;
            return true;
        }
    }
    return false;
}

void HeadlessVideoDriver::RestoreDesktopMode() {
    std::lock_guard lock(mMutex);
    ++mModeRestores;
    mCurrentMode = mDesktopMode;
}

bool HeadlessVideoDriver::WaitForVerticalBlank() {
    return false; // no screen to wait for
}

std::optional<int> HeadlessVideoDriver::GetScanLine() {
    return std::nullopt;
}

bool HeadlessVideoDriver::SetSystemCursor(SystemCursor cursor) {
    std::lock_guard lock(mMutex);
    mCursor.system = cursor;
    mCursor.custom = 0;
    return true;
}

CursorId HeadlessVideoDriver::CreateCursor(const CursorImage& image) {
    if (!IsValidCursorImage(image))
        return 0;
    std::lock_guard lock(mMutex);
    const CursorId id = mNextCursor++;
    mCursors[id] = image;
    return id;
}

bool HeadlessVideoDriver::SetCustomCursor(CursorId cursor) {
    std::lock_guard lock(mMutex);
    if (!mCursors.count(cursor))
        return false;
    mCursor.system.reset();
    mCursor.custom = cursor;
    return true;
}

void HeadlessVideoDriver::DestroyCursor(CursorId cursor) {
    std::lock_guard lock(mMutex);
    mCursors.erase(cursor);
    if (mCursor.custom == cursor) {
        mCursor.custom = 0;
        mCursor.system = SystemCursor::Arrow;
    }
}

void HeadlessVideoDriver::ShowCursor(bool show) {
    std::lock_guard lock(mMutex);
    mCursor.shown = show;
}

void HeadlessVideoDriver::SetCursorPosition(WindowHandle window, Point client) {
    std::lock_guard lock(mMutex);
    mCursor.window = window;
    mCursor.position = client;
}

void HeadlessVideoDriver::SetTextInputRect(WindowHandle window, std::optional<Rect> caret) {
    std::lock_guard lock(mMutex);
    if (caret)
        mTextInputRects[window] = *caret;
    else
        mTextInputRects.erase(window);
}

std::optional<Rect> HeadlessVideoDriver::TextInputRect(WindowHandle window) const {
    std::lock_guard lock(mMutex);
    auto it = mTextInputRects.find(window);
    return it == mTextInputRects.end() ? std::nullopt : std::optional<Rect>(it->second);
}

bool HeadlessVideoDriver::ReadWindowPixels(WindowHandle window, int& width, int& height,
                                           std::vector<std::uint32_t>& argb) {
    std::lock_guard lock(mMutex);
    auto it = mFrames.find(window);
    if (it == mFrames.end())
        return false;
    const Frame& frame = it->second;
    if (!FrameToArgb({frame.bytes.data(), frame.pitch, frame.width, frame.height, frame.format}, argb))
        return false;
    width = frame.width;
    height = frame.height;
    return true;
}

std::optional<HeadlessVideoDriver::Frame> HeadlessVideoDriver::LastFrame(WindowHandle window) const {
    std::lock_guard lock(mMutex);
    auto it = mFrames.find(window);
    return it == mFrames.end() ? std::nullopt : std::optional<Frame>(it->second);
}

std::optional<HeadlessVideoDriver::MirroredWindow> HeadlessVideoDriver::Window(WindowHandle window) const {
    std::lock_guard lock(mMutex);
    auto it = mWindows.find(window);
    return it == mWindows.end() ? std::nullopt : std::optional<MirroredWindow>(it->second);
}

std::size_t HeadlessVideoDriver::WindowCount() const {
    std::lock_guard lock(mMutex);
    return mWindows.size();
}

int HeadlessVideoDriver::PumpCount() const {
    std::lock_guard lock(mMutex);
    return mPumps;
}

HeadlessVideoDriver::CursorState HeadlessVideoDriver::Cursor() const {
    std::lock_guard lock(mMutex);
    return mCursor;
}

std::optional<CursorImage> HeadlessVideoDriver::CustomCursorImage(CursorId cursor) const {
    std::lock_guard lock(mMutex);
    auto it = mCursors.find(cursor);
    return it == mCursors.end() ? std::nullopt : std::optional<CursorImage>(it->second);
}

DisplayMode HeadlessVideoDriver::CurrentMode() const {
    std::lock_guard lock(mMutex);
    return mCurrentMode;
}

void HeadlessVideoDriver::SetDisplayModes(std::vector<DisplayMode> modes, const DisplayMode& desktop) {
    std::lock_guard lock(mMutex);
    mModes = std::move(modes);
    mDesktopMode = desktop;
    mCurrentMode = desktop;
}

void HeadlessVideoDriver::SetHasDisplay(bool hasDisplay) {
    std::lock_guard lock(mMutex);
    mHasDisplay = hasDisplay;
}

void HeadlessVideoDriver::RefuseDisplayModes(bool refuse) {
    std::lock_guard lock(mMutex);
    mRefuseModes = refuse;
}

std::vector<DisplayMode> HeadlessVideoDriver::DisplayModeRequests() const {
    std::lock_guard lock(mMutex);
    return mModeRequests;
}

int HeadlessVideoDriver::DesktopModeRestores() const {
    std::lock_guard lock(mMutex);
    return mModeRestores;
}

} // namespace platform
