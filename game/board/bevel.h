#pragma once
// One bevel set: the pieces of the frame drawn around the board's shape.
// For each of twelve edge and corner directions it lists outer pieces (cut
// from the "ImageOut" picture) and inner pieces (from "ImageIn"), each a
// source rectangle with a drawing offset from its tile's corner.

#include "framework/util/rect.h"

#include <array>
#include <string>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class IniSection;

enum BevelDirection {
    kBevelLeftTop = 0,
    kBevelTop,
    kBevelTopHalf,
    kBevelRightTop,
    kBevelRight,
    kBevelRightHalf,
    kBevelRightBottom,
    kBevelBottom,
    kBevelBottomHalf,
    kBevelLeftBottom,
    kBevelLeft,
    kBevelLeftHalf,
    kBevelDirectionCount,
};

struct BevelOffset {
    int mX = 0;
    int mY = 0;
};

class Bevel {
public:
    using RectLists = std::array<std::vector<Kavo::IntRect>, kBevelDirectionCount>;
    using OffsetLists = std::array<std::vector<BevelOffset>, kBevelDirectionCount>;

    Bevel() = default;
    // Reads a set from its section: per direction "<Direction>Out",
    // "<Direction>In" ("x,y,w,h" pieces separated by ";") and the same keys
    // with "Off" ("x,y" pieces); "ImageOut" and "ImageIn" name image
    // resources (IMAGE_OUTBOX1 and IMAGE_INBOX1 when missing or not an
    // image's name). A piece that does not scan fully keeps zeros in the
    // fields it did not reach.
    Bevel(const std::string& name, const IniSection& section);

    // The piece `index` of a direction (an index outside the list takes the
    // first piece): false, nothing written, when the direction has no
    // pieces or is no direction. The offset comes from the same place of
    // the offset list (the first when outside it; unwritten when empty).
    bool GetOut(int direction, int index, Kavo::IntRect& rect, int& offsetX, int& offsetY) const;
    bool GetIn(int direction, int index, Kavo::IntRect& rect, int& offsetX, int& offsetY) const;

    Kavo::Image* mImageOut = nullptr; // not owned
    Kavo::Image* mImageIn = nullptr;  // not owned
    int mImageOutId = 0;              // the resource ids of the two pictures
    int mImageInId = 0;
    std::string mName;
    RectLists mOutRects;
    RectLists mInRects;
    OffsetLists mOutOffsets;
    OffsetLists mInOffsets;
};

// The key stem of a direction ("LeftTop", "Top", ...); "" for none.
const char* BevelDirectionName(int direction);

} // namespace Game
