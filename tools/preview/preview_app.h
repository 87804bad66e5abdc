#pragma once
// kavo-preview as an application: the real application object with its
// window, loop and display, showing the sample board through a widget. It
// can end itself after a number of updates and write what its window shows
// as a PNG (the display's own picture, from the video driver).

#include <cstdint>
#include <memory>
#include <string>

#include "framework/app/kavo_app_base.h"
#include "tools/preview/board_art.h"
#include "tools/preview/board_widget.h"
#include "tools/preview/preview_options.h"

namespace Kavo {

class PreviewApp : public KavoAppBase {
public:
    // `options` hold absolute paths; `status` is the line shown at the bottom.
    PreviewApp(const PreviewOptions& options, const std::string& status);
    ~PreviewApp() override;

    // Why the preview could not show what it should; empty when all is well.
    const std::string& Failure() const { return mFailure; }
    // The pictures the manifest names that did not load, or empty.
    const std::string& MissingArt() const { return mMissingArt; }
    // The picture written, or empty.
    const std::string& Written() const { return mWritten; }
    const BoardArt& Art() const { return mArt; }

    bool ChangeDirHook(const std::string&) override { return true; } // stay where started
    void InitHook() override;
    void ShutdownHook() override;
    void UpdateFrame() override;
    bool PresentScreen(const IntRect* region) override;

private:
    void WriteSnapshot();
    void Fail(const std::string& why);

    PreviewOptions mOptions;
    BoardArt mArt;
    std::unique_ptr<BoardWidget> mBoard;
    std::string mStatus;
    std::string mFailure;
    std::string mMissingArt;
    std::string mWritten;
};

} // namespace Kavo
