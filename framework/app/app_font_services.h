#pragma once
// The fonts' services while the application exists: its shared images, its
// copies through a drawing context and its fatal-error report.

#include "framework/font/font_services.h"

namespace Kavo {

class KavoAppBase;

class AppFontServices : public FontServices {
public:
    explicit AppFontServices(KavoAppBase& app) : mApp(app) {}

    SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant) override;
    MemoryImage* CopyImageViaGraphics(Image* image) override;
    void ShowFatalError(const std::string& message) override;

private:
    KavoAppBase& mApp;
};

} // namespace Kavo
