#pragma once
// A font of the system's installed faces (through the platform's FreeType
// rasteriser), for framework texts such as the frame-rate overlay, edit
// fields and the manifest's system fonts. Text is Windows-1251 bytes.

#include <memory>
#include <string>

#include "framework/graphics/font.h"
#include "platform/font_rasterizer.h"

namespace Kavo {

class MemoryImage;

class SysFont : public Font {
public:
    // Draw a black copy one pixel right and down first.
    bool mShadow = false;
    // Draw every copy twice, the second one pixel to the right.
    bool mDoubleStrike = false;

    SysFont(const std::string& faceName, int pointSize, int script = 0, bool bold = false, bool italic = false,
            bool underline = false);
    // The same face, size and style; shadow and double strike cleared.
    SysFont(const SysFont& other);
    SysFont& operator=(const SysFont&) = delete;
    ~SysFont() override;

    // Also for a font built in place. There is no device to ask for its
    // resolution: both ways it is 96 dots per inch.
    void Init(const std::string& faceName, int pointSize, int script, bool bold, bool italic, bool underline,
              bool useDeviceResolution);
    // False when no installed face could be opened.
    bool IsValid() const { return mRasterizer != nullptr; }
    const platform::FontRasterizer* GetRasterizer() const { return mRasterizer.get(); }

    // The widest line; lines end at "\n".
    int StringWidth(const std::string& str) override;
    // y is the baseline; the text's box is drawn at (x, y - ascent).
    void DrawString(Graphics* g, int x, int y, const std::string& str, const Color& color,
                    const IntRect& clipRect) override;
    Font* Duplicate() override;

    // The text as an image: colour over a transparent ground, with its
    // antialiased edges in the alpha channel, shadow and double strike
    // included. Null for text that covers nothing.
    std::unique_ptr<MemoryImage> RenderText(const std::string& str, const Color& color);

    // The pixel height a point size asks for at a resolution, rounded as
    // -MulDiv(pointSize, resolution, 72) is, and made positive.
    static int PixelHeightFor(int pointSize, int resolution);

private:
    void Open(const platform::FontFaceRequest& request);

    std::unique_ptr<platform::FontRasterizer> mRasterizer;
};

} // namespace Kavo
