// Checks a picture written by kavo-preview for what the sample board must
// show: the wooden background beside the board and the items' colours at
// their cells.
//
//   preview_picture_check <picture.png>

#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/imagelib/image_lib.h"

namespace {

struct Range {
    int low;
    int high;
};

struct Expected {
    const char* what;
    int x;
    int y;
    Range red;
    Range green;
    Range blue;
};

// The sample content's background is a JPEG of warm brown stripes; the items
// are round, opaque at their centres and brighter there than their base
// colour. Cell centres: the board's left is 224, its top 150, cells 72 wide.
constexpr Expected kExpected[] = {
    {"background left of the board", 40, 400, {80, 150}, {45, 95}, {20, 60}},
    {"background right of the board", 980, 300, {80, 165}, {50, 105}, {25, 65}},
    {"red item at row 0, column 0", 224 + 36, 150 + 36, {200, 255}, {0, 90}, {0, 90}},
    {"yellow item at row 0, column 1", 224 + 72 + 36, 150 + 36, {200, 255}, {170, 255}, {0, 90}},
    {"green item at row 1, column 2", 224 + 144 + 36, 150 + 72 + 36, {0, 90}, {180, 255}, {0, 110}},
};

bool Within(int value, Range range) {
    return value >= range.low && value <= range.high;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: preview_picture_check <picture.png>\n");
        return 2;
    }
    const auto picture = Kavo::ImageLib::LoadImageFile(argv[1], false);
    if (!picture) {
        std::fprintf(stderr, "%s does not load as a picture\n", argv[1]);
        return 1;
    }
    if (picture->mWidth != 1024 || picture->mHeight != 768) {
        std::fprintf(stderr, "%s is %dx%d, not the 1024x768 game area\n", argv[1], picture->mWidth, picture->mHeight);
        return 1;
    }
    int failures = 0;
    for (const Expected& e : kExpected) {
        const uint32_t pixel = picture->GetBits()[e.y * picture->mWidth + e.x];
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (!Within(r, e.red) || !Within(g, e.green) || !Within(b, e.blue)) {
            std::fprintf(stderr, "%s at (%d, %d): got rgb(%d, %d, %d), want red %d-%d, green %d-%d, blue %d-%d\n",
                         e.what, e.x, e.y, r, g, b, e.red.low, e.red.high, e.green.low, e.green.high, e.blue.low,
                         e.blue.high);
            ++failures;
        }
    }
    if (failures == 0)
        std::printf("%s shows the background and the items where they belong\n", argv[1]);
    return failures == 0 ? 0 : 1;
}
