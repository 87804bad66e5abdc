#pragma once
// An image and the frames cut from it, as an INI section describes them:
// "ImageFile", "AlphaFile", "Attributes", "Rects" (x,y,w,h;...), a
// "ColCount" x "RowCount" grid grown from the first rectangle, and
// "ActiveRect", the frame drawn first.

#include "framework/util/rect.h"

#include <string>
#include <vector>

namespace Kavo {
class Graphics;
class Image;
class LazyTransform;
} // namespace Kavo

namespace Game {

class IniSection;

class ImageDesc {
public:
    // The most frames one description holds.
    static constexpr int kMaxFrames = 65536;

    // Always true. A "Rects" piece that is not four numbers keeps its place
    // (frames address rectangles by index) with its unread numbers 0; a grid
    // without a first rectangle adds nothing, and its frames that would lie
    // outside the largest loadable picture, or past kMaxFrames, are left
    // out; an "ActiveRect" outside the list gives an empty current
    // rectangle, which draws nothing.
    bool LoadFromSection(const IniSection& section);
    // False when the file has no section; else the section "Main".
    bool LoadFile(const std::string& path);

    void Draw(Kavo::Graphics* g, float x, float y, bool centred);
    void DrawTransformed(Kavo::Graphics* g, Kavo::LazyTransform& transform);
    void Copy(const ImageDesc& other);

    // The rectangle of that index, or an empty one outside the list.
    Kavo::IntRect GetRect(int index) const;
    void SetCurrentRect(int index) { mCurrentRect = GetRect(index); }

    // The frames of a "ColCount" x "RowCount" grid after the first, row by
    // row (the first is copied: the list grows under it).
    void AddGrid(Kavo::IntRect first, int cols, int rows);

    std::string mImageFile;
    std::string mAlphaFile;
    std::string mAttributes;
    Kavo::Image* mImage = nullptr; // owned by the resource manager
    std::vector<Kavo::IntRect> mRects;
    Kavo::IntRect mCurrentRect;
    std::string mName;
    int mOffsetX = 0;
    int mOffsetY = 0;
};

} // namespace Game
