#include "game/meta/cell_drawing.h"

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/ui/held_image_draw.h"
#include "game/ui/resource_ids.h"

#include <string>

namespace Game {

void DrawCellFrame(Kavo::Graphics* g, Kavo::Image* image, float x, float y, int frame, bool floatPositioning) {
    if (image != nullptr)
        DrawHeldImage(g, image, x, y, image->GetCelRect(frame), false, floatPositioning);
}

void DrawCellPicture(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& source, float x, float y, int alpha,
                     bool floatPositioning) {
    if (image == nullptr)
        return;
    const bool tinted = alpha != 255;
    if (tinted) {
        g->SetColor(Kavo::Color(255, 255, 255, alpha));
        g->SetColorizeImages(true);
    }
    DrawHeldImage(g, image, x, y, source, false, floatPositioning);
    if (tinted)
        g->SetColorizeImages(false);
}

void DrawCellPrice(Kavo::Graphics* g, int price, float x, float y) {
    Kavo::Font* font = FONT_DEFAULT;
    if (font == nullptr)
        return;
    const std::string text = std::to_string(price);
    g->SetFont(font);
    g->SetColor(Kavo::Color(255, 255, 255, 255));
    g->DrawString(text, static_cast<int>(x) - font->StringWidth(text) + 92,
                  static_cast<int>(y) - font->GetHeight() + font->GetAscent() + 98);
}

} // namespace Game
