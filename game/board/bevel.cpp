#include "game/board/bevel.h"

#include "engine/base/string_tools.h"
#include "game/ui/ini_section.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace Game {

namespace {

constexpr const char* kDirectionNames[kBevelDirectionCount] = {
    "LeftTop",     "Top",    "TopHalf",    "RightTop",   "Right", "RightHalf",
    "RightBottom", "Bottom", "BottomHalf", "LeftBottom", "Left",  "LeftHalf",
};

// Reads up to `count` comma-separated decimal numbers the way "%d,%d,..."
// scans: blanks before a number are skipped, the comma must follow the
// number at once, and the first thing that does not fit ends the scan.
// Numbers beyond the int range saturate.
void ScanNumbers(const std::string& text, int* out, int count) {
    const char* p = text.c_str();
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (*p != ',')
                return;
            ++p;
        }
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        if (end == p)
            return;
        out[i] = static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
        p = end;
    }
}

void ReadRects(const IniSection& section, const std::string& key, std::vector<Kavo::IntRect>& rects) {
    std::vector<std::string> pieces;
    com_string::Split(section.GetString(key).c_str(), ';', pieces);
    for (const std::string& piece : pieces) {
        int v[4] = {0, 0, 0, 0};
        ScanNumbers(piece, v, 4);
        rects.emplace_back(v[0], v[1], v[2], v[3]);
    }
}

void ReadOffsets(const IniSection& section, const std::string& key, std::vector<BevelOffset>& offsets) {
    std::vector<std::string> pieces;
    com_string::Split(section.GetString(key).c_str(), ';', pieces);
    for (const std::string& piece : pieces) {
        int v[2] = {0, 0};
        ScanNumbers(piece, v, 2);
        offsets.push_back({v[0], v[1]});
    }
}

// The id of an image resource named by the key; `fallback` when the key is
// missing or names anything but an image.
int ImageIdOf(const IniSection& section, const char* key, int fallback) {
    if (!section.HasKey(key))
        return fallback;
    const int id = GetIdByStringId(section.GetString(key));
    return GetResourceKind(id) == ResourceKind::Image ? id : fallback;
}

bool GetPiece(const Bevel::RectLists& rects, const Bevel::OffsetLists& offsets, int direction, int index,
              Kavo::IntRect& rect, int& offsetX, int& offsetY) {
    if (direction < 0 || direction >= kBevelDirectionCount)
        return false;
    const std::vector<Kavo::IntRect>& list = rects[static_cast<size_t>(direction)];
    if (list.empty())
        return false;
    const size_t at = index >= 0 && static_cast<size_t>(index) < list.size() ? static_cast<size_t>(index) : 0;
    rect = list[at];
    const std::vector<BevelOffset>& points = offsets[static_cast<size_t>(direction)];
    if (!points.empty()) {
        const BevelOffset& point = points[at < points.size() ? at : 0];
        offsetX = point.mX;
        offsetY = point.mY;
    }
    return true;
}

} // namespace

const char* BevelDirectionName(int direction) {
    return direction >= 0 && direction < kBevelDirectionCount ? kDirectionNames[direction] : "";
}

Bevel::Bevel(const std::string& name, const IniSection& section) : mName(name) {
    mImageOutId = ImageIdOf(section, "ImageOut", IMAGE_OUTBOX1_ID);
    mImageInId = ImageIdOf(section, "ImageIn", IMAGE_INBOX1_ID);
    mImageOut = GetImageResourceById(mImageOutId);
    mImageIn = GetImageResourceById(mImageInId);
    for (size_t d = 0; d < kBevelDirectionCount; ++d) {
        const std::string stem = kDirectionNames[d];
        ReadRects(section, stem + "Out", mOutRects[d]);
        ReadRects(section, stem + "In", mInRects[d]);
        ReadOffsets(section, stem + "OutOff", mOutOffsets[d]);
        ReadOffsets(section, stem + "InOff", mInOffsets[d]);
    }
}

bool Bevel::GetOut(int direction, int index, Kavo::IntRect& rect, int& offsetX, int& offsetY) const {
    return GetPiece(mOutRects, mOutOffsets, direction, index, rect, offsetX, offsetY);
}

bool Bevel::GetIn(int direction, int index, Kavo::IntRect& rect, int& offsetX, int& offsetY) const {
    return GetPiece(mInRects, mInOffsets, direction, index, rect, offsetX, offsetY);
}

} // namespace Game
