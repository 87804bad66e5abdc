#pragma once
// The bitmap font: text drawn from pictures of characters, in layers chosen
// by point size, scale and tags from a shared font descriptor.

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "framework/font/active_font_layer.h"
#include "framework/graphics/font.h"

namespace Kavo {

class FontData;
class FontLayer;
class Image;

class ImageFont : public Font {
public:
    // Characters times active layers that one string may draw; the rest of
    // the string neither draws nor takes room.
    static constexpr int kMaxGlyphs = 4096;

    FontData* mFontData = nullptr; // shared, counted
    int32_t mPointSize = 0;
    std::vector<std::string> mTagVector; // upper case
    bool mActiveListValid = true;
    std::list<ActiveFontLayer> mActiveLayerList;
    double mScale = 1.0;
    // Scaled layer images get white colour under their alpha.
    bool mForceScaledImagesWhite = false;

    // Reads the descriptor; a descriptor that fails leaves a font with no
    // layers, which measures 0 and draws nothing (see IsLoaded).
    explicit ImageFont(const std::string& fontDescFileName);
    // One layer cut from the image (kept alive by the caller) by a legacy
    // descriptor.
    ImageFont(Image* fontImage, const std::string& fontDescFileName);
    // Shares the descriptor; owned scaled images are copied.
    ImageFont(const ImageFont& other);
    ImageFont& operator=(const ImageFont&) = delete;
    ~ImageFont() override;

    bool IsLoaded() const;

    int StringWidth(const std::string& str) override;
    int CharWidth(char chr) override;
    int CharWidthKern(char chr, char prevChar) override;
    // The clip rectangle plays no part: the context clips.
    void DrawString(Graphics* g, int x, int y, const std::string& str, const Color& color,
                    const IntRect& clipRect) override;
    Font* Duplicate() override;

    virtual void GenerateActiveFontLayers();
    // Draws with y the baseline. Every glyph of a lower drawing order is drawn
    // before any of a higher one; drawnAreas receives each glyph's cell and
    // width the advance of the whole string.
    virtual void DrawStringEx(Graphics* g, int x, int y, const std::string& str, const Color& color,
                              const IntRect& clipRect, std::vector<IntRect>* drawnAreas, int* width);

    // These setters only mark the layers stale: metrics keep their values
    // until Prepare, which measuring and drawing call first.
    virtual void SetPointSize(int pointSize);
    virtual int GetPointSize();
    virtual void SetScale(double scale);
    virtual int GetDefaultPointSize();
    // Tags are upper-cased by all three, so "Bold" and "BOLD" are one tag.
    virtual bool AddTag(const std::string& tagName);
    virtual bool RemoveTag(const std::string& tagName);
    virtual bool HasTag(const std::string& tagName);
    // The descriptor's definition as text; "" when there is none.
    virtual std::string GetDefine(const std::string& name);
    virtual void Prepare();

    // The factor a layer's values are scaled by at this size and scale.
    double LayerFactor(const FontLayer& layer) const;
    // trunc(value * factor) as measuring and drawing compute it.
    int ScaleForLayer(const FontLayer& layer, int64_t value) const;

private:
    ImageFont();
    void BuildScaledImage(ActiveFontLayer& active, const FontLayer& layer, double numerator, double denominator);
};

} // namespace Kavo
