// Reads the input as a bitmap-font descriptor and as a legacy descriptor,
// then measures and draws with the fonts made from it.
#include "framework/font/font_data.h"
#include "framework/font/font_services.h"
#include "framework/font/image_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace Kavo;

// Every image name loads as the same small sheet; fatal errors are dropped.
class FuzzFontServices : public FontServices {
public:
    FuzzFontServices() {
        mSheet.Create(1024, 32);
        mSheet.FillRect(IntRect(0, 0, 1024, 32), Color(255, 255, 255, 200), 0);
        mShared.mImage = &mSheet;
    }
    SharedImageHandle GetSharedImage(const std::string&, const std::string&) override {
        return SharedImageHandle(&mShared);
    }
    MemoryImage* CopyImageViaGraphics(Image* image) override { return DrawImageCopy(image); }
    void ShowFatalError(const std::string&) override {}

    MemoryImage mSheet;
    SharedImage mShared;
};

// Scaled glyph sheets are built for every layer: keep the inputs whose
// fonts stay small enough to run quickly.
bool CheapToScale(const FontData& data) {
    if (data.mFontLayerList.size() > 16)
        return false;
    for (const FontLayer& layer : data.mFontLayerList) {
        const double factor = layer.mPointSize == 0 ? 1.0 : double(data.mDefaultPointSize) / layer.mPointSize;
        double width = 0;
        double height = 0;
        for (const FontCharData& chr : layer.mCharData) {
            width += chr.mImageRect.mWidth;
            height = std::max(height, double(chr.mImageRect.mHeight));
        }
        if (std::abs(factor) > 4.0 || width * height * factor * factor > double(1 << 20))
            return false;
    }
    return true;
}

void Exercise(ImageFont& font) {
    MemoryImage dest;
    dest.Create(64, 32);
    Graphics g(&dest);
    const std::string text = "AVa Tb\xC0\xFF";
    std::vector<IntRect> areas;
    int width = 0;
    font.StringWidth(text);
    font.DrawStringEx(&g, 2, 20, text, Color(200, 100, 50, 255), IntRect(), &areas, &width);
    font.AddTag("flat");
    font.SetScale(0.5);
    std::unique_ptr<Font> copy(font.Duplicate());
    copy->DrawString(&g, 2, 20, text, Color::White, IntRect());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFontServices services;
    const platform::Installed<FontServices> installed(FontServicesSlot(), services);
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".txt");

    FontData probe;
    probe.Load(path);
    if (probe.mInitialized && CheapToScale(probe)) {
        ImageFont font(path);
        Exercise(font);
    }
    ImageFont legacy(&services.mSheet, path);
    Exercise(legacy);
    return 0;
}
