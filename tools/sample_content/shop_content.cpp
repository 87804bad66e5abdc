#include "tools/sample_content/shop_content.h"

#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/placeholder_art.h"
#include "tools/sample_content/sketch.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Kavo::SampleContent {

namespace {

constexpr int kCell = 100;      // a picture cell of the dish sheet
constexpr int kShopCell = 110;  // a cell of the decoration sheets; its picture is 108 x 108 inside
constexpr int kSheetCells = 10; // cells per sheet row

uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | (uint32_t(r & 0xFF) << 16) | (uint32_t(g & 0xFF) << 8) | uint32_t(b & 0xFF);
}

// Cells of distinct colours with a darker border, `cols` by `rows`.
Pixels CellSheet(int cell, int cols, int rows, int seed) {
    Pixels px(size_t(cell) * cols * cell * rows);
    const int width = cell * cols;
    for (int y = 0; y < cell * rows; ++y)
        for (int x = 0; x < width; ++x) {
            const int index = (y / cell) * cols + x / cell;
            const bool border = x % cell < 3 || y % cell < 3 || x % cell >= cell - 3 || y % cell >= cell - 3;
            const int r = 60 + (index * 53 + seed * 31) % 180, g = 60 + (index * 97 + seed * 17) % 180,
                      b = 60 + (index * 29 + seed * 71) % 180;
            px[size_t(y) * width + x] = border ? Rgb(r / 2, g / 2, b / 2) : Rgb(r, g, b);
        }
    return px;
}

// A room picture as the room shows it: the piece drawn as what it is, in a
// colour of its own (a kind has a hue, each piece of it another shade), so
// that buying a piece changes the room where it stands, with the player's
// word for it where a name helps. Furniture keeps a transparent margin,
// drawn over the wall.
struct RoomArt {
    std::string file;
    int width, height;
    bool opaque;
    uint32_t color;
    std::string kind;
};

uint32_t RoomColor(const std::string& kind, int number) {
    struct Hue {
        const char* kind;
        int r, g, b;
    };
    static constexpr Hue kHues[] = {{"wall", 200, 190, 150},
                                    {"stoika", 150, 90, 50},
                                    {"table", 220, 140, 40},
                                    {"chair", 190, 50, 60},
                                    {"vase", 120, 60, 190}};
    for (const Hue& hue : kHues)
        if (kind == hue.kind) {
            // The second piece of a kind is darker and bluer: plainly another one.
            const int shade = number == 0 ? 0 : 45;
            return Rgb(hue.r - shade, hue.g - shade, hue.b + shade / 2);
        }
    return Rgb(128, 128, 128);
}

// A wall: papered in stripes above a panelled dado and a skirting board.
void Wall(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Box(0, 0, w, h, color);
    for (double x = 16; x < w; x += 32)
        s.Box(x, 0, x + 10, h * 0.7, Shade(color, 0.9));
    s.Box(0, h * 0.7, w, h, Shade(color, 0.7));
    s.Box(0, h * 0.7, w, h * 0.72, Shade(color, 0.5));
    for (double x = 24; x < w; x += 96)
        s.Box(x, h * 0.75, x + 72, h * 0.93, Shade(color, 0.8));
    s.Box(0, h * 0.96, w, h, Shade(color, 0.45));
}

// A counter: a long top over a panelled front.
void Counter(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Box(8, h * 0.28, w - 8, h - 4, Shade(color, 0.8));
    for (double x = 24; x + 50 < w - 8; x += 68)
        s.Box(x, h * 0.4, x + 50, h - 14, Shade(color, 0.95));
    s.RoundBox(3, h * 0.12, w - 3, h * 0.3, 4, Shade(color, 1.3));
}

// A table: a top and two legs.
void Table(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Box(w * 0.14, h * 0.35, w * 0.22, h - 4, Shade(color, 0.7));
    s.Box(w * 0.78, h * 0.35, w * 0.86, h - 4, Shade(color, 0.7));
    s.Ellipse(w / 2, h * 0.3, w / 2 - 4, h * 0.16, Shade(color, 0.8));
    s.Ellipse(w / 2, h * 0.27, w / 2 - 5, h * 0.13, color);
}

// A chair seen from the side: a back, a seat and legs.
void Chair(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Box(w * 0.2, h * 0.08, w * 0.32, h * 0.58, Shade(color, 0.8));
    s.Box(w * 0.2, h * 0.5, w * 0.82, h * 0.6, color);
    s.Box(w * 0.2, h * 0.6, w * 0.3, h - 4, Shade(color, 0.7));
    s.Box(w * 0.72, h * 0.6, w * 0.82, h - 4, Shade(color, 0.7));
}

// A vase with a flower.
void Vase(Sketch& s, uint32_t color) {
    const double w = s.Width(), h = s.Height();
    s.Line({w / 2, h * 0.55}, {w / 2, h * 0.18}, 2, 0xFF40A040);
    s.Disc(w / 2, h * 0.16, w * 0.16, 0xFFF06080);
    s.Disc(w / 2, h * 0.16, w * 0.06, 0xFFFFE040);
    s.Ellipse(w / 2, h * 0.75, w * 0.3, h * 0.2, color);
    s.Box(w * 0.38, h * 0.5, w * 0.62, h * 0.6, color);
}

Pixels RoomPicture(const RoomArt& art, const GlyphSheet& glyphs) {
    Sketch s(art.width, art.height);
    std::string word;
    if (art.kind == "wall")
        Wall(s, art.color);
    else if (art.kind == "stoika") {
        Counter(s, art.color);
        word = "Counter";
    } else if (art.kind == "table") {
        Table(s, art.color);
        word = "Table";
    } else if (art.kind == "chair")
        Chair(s, art.color);
    else
        Vase(s, art.color);
    Pixels px = s.Pixels();
    if (!word.empty() && LabelWidth(word, glyphs) < art.width)
        DrawLabel(px, art.width, art.height, (art.width - LabelWidth(word, glyphs)) / 2,
                  art.kind == "table" ? art.height * 27 / 100 - glyphs.mHeight / 2 : art.height / 2, word, glyphs);
    return px;
}

bool WritePng(const std::string& path, int width, int height, const Pixels& pixels) {
    const ImageEncoders::Bytes bytes = ImageEncoders::EncodePngArgb(width, height, pixels);
    return platform::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char text[128];
    std::snprintf(text, sizeof(text), format, a, b, c, d);
    return text;
}

struct Piece {
    const char* kind; // category name and name prefix
    int number;       // the last two digits of the name
    int zOrder;
    int price;
    int weight;        // tenths: a room with one of each kind and both chairs and vases has 1.0
    const char* extra; // further keys, CR LF ended
    int width, height; // of its room picture
    int x, y;          // of its first piece in the room
};

// Restaurant r (1 to 3) sells each kind under "<kind><r>0<n>".
std::string ShopFile(int r, std::vector<RoomArt>& pictures) {
    const Piece pieces[] = {
        {"wall", 0, 0, 10, 2, "", 512, 384, 0, 0},
        {"wall", 2, 0, 40, 2, "", 512, 384, 0, 0},
        {"stoika", 0, 2, 20, 2, "", 300, 120, 80, 420},
        {"stoika", 2, 2, 50, 2, "", 300, 120, 80, 420},
        {"table", 0, 3, 15, 2, "", 160, 90, 520, 470},
        // The big table takes the place of the chairs.
        {"table", 2, 3, 45, 2, "DeleteItems=%s\r\n", 160, 90, 520, 470},
        {"chair", 0, 4, 25, 1, "Removable=1\r\n", 60, 90, 700, 480},
        {"chair", 1, 4, 35, 1, "Removable=1\r\n", 60, 90, 760, 480},
        {"vase", 0, 5, 30, 1, "Removable=1\r\nReplace=0\r\n", 40, 70, 600, 400},
        {"vase", 1, 5, 60, 1, "Removable=1\r\nReplace=0\r\nEffect=1\r\nEffectRects=0,0,40,35;0,35,40,35\r\n", 40, 70,
         660, 400},
    };
    std::string text = "[Main]\r\na=wall\r\nb=stoika\r\nc=table\r\nd=chair\r\ne=vase\r\n";
    int index = 0;
    for (const Piece& piece : pieces) {
        const std::string name = piece.kind + Format("%d0%d", r, piece.number);
        // The two chairs of a restaurant share one picture.
        const std::string picture = std::string(piece.kind) == "chair" ? Format("chair%d.png", r) : name + ".png";
        std::string drawInfo = Format("%d,%d,0,0,", piece.x, piece.y) + Format("%d,%d", piece.width, piece.height);
        if (piece.zOrder == 0)
            drawInfo += ";" + Format("512,0,0,0,%d,%d", piece.width, piece.height) + ";" +
                        Format("0,384,0,0,%d,%d", piece.width, piece.height) + ";" +
                        Format("512,384,0,0,%d,%d", piece.width, piece.height);
        text += "\r\n[" + name + "]\r\n";
        text += "Category=" + std::string(piece.kind) + "\r\n";
        text += "Caption=Shop_" + name + "\r\n";
        text += Format("Price=%d\r\nZOrder=%d\r\nRank=%d\r\nRestIndex=%d\r\n", piece.price, piece.zOrder, r - 1, r - 1);
        text += Format("Weight=0.%d\r\nShopIndex=%d\r\n", piece.weight, index);
        text += Format("ImageShop=IMAGE_SHOP%d\r\nShopRect=%d,1,%d,%d\r\n", r, index * kShopCell + 1, kShopCell - 2,
                       kShopCell - 2);
        text += "ImageRoom=" + picture + "\r\nDrawInfo=" + drawInfo + "\r\n";
        std::string extra = piece.extra;
        if (const size_t at = extra.find("%s"); at != std::string::npos)
            extra.replace(at, 2, Format("chair%d00,chair%d01", r, r));
        text += extra;
        if (pictures.empty() || pictures.back().file != picture)
            pictures.push_back({picture, piece.width, piece.height, piece.zOrder == 0,
                                RoomColor(piece.kind, piece.number), piece.kind});
        ++index;
    }
    return text;
}

// Restaurant r's dishes: rank r - 1; the first restaurant has seven salads.
std::string MenuFile(int r) {
    std::string text = "[Main]\r\nDesserts=1\r\nSalads=1\r\nSoups=1\r\n";
    struct Kind {
        const char* name;
        const char* category;
        int count;
    };
    const Kind kinds[] = {{"Salad", "Salads", r == 1 ? 7 : 3}, {"Soup", "Soups", 2}, {"Dessert", "Desserts", 2}};
    int cell = 0;
    for (const Kind& kind : kinds)
        for (int n = 0; n < kind.count; ++n, ++cell) {
            text += "\r\n[" + std::string(kind.name) + Format("%d%d]\r\n", r - 1, n);
            text += "Category=" + std::string(kind.category) + "\r\n";
            text += Format("Caption=Dish_%d_%d\r\nPrice=%d\r\nRank=%d\r\n", r, cell, 5 + 3 * cell, r - 1);
            text += Format("Value=%d\r\nImageShop=IMAGE_MENU\r\nShopRect=%d,%d,%d,", 1 << (n % 4),
                           (cell % kSheetCells) * kCell, (r - 1) * kCell, kCell);
            text += Format("%d\r\n", kCell);
        }
    return text;
}

} // namespace

bool WriteShopContent(const std::string& root, const GlyphSheet& glyphs) {
    const std::string data = root + "/data";
    const std::string images = root + "/images";
    const std::string shop = images + "/shop";
    bool ok = platform::MakeDirectories(data) && platform::MakeDirectories(shop) &&
              platform::MakeDirectories(images + "/game");
    for (int r = 1; ok && r <= 3; ++r) {
        std::vector<RoomArt> pictures;
        ok = platform::WriteWholeFile(data + Format("/shop.%d", r), ShopFile(r, pictures)) &&
             platform::WriteWholeFile(data + Format("/menu.%d", r), MenuFile(r)) &&
             WritePng(images + Format("/game/shop%d.png", r), kShopCell * kSheetCells, kShopCell,
                      CellSheet(kShopCell, kSheetCells, 1, r));
        for (const RoomArt& art : pictures)
            ok = ok && WritePng(shop + "/" + art.file, art.width, art.height, RoomPicture(art, glyphs));
    }
    return ok &&
           WritePng(images + "/game/menu.png", kCell * kSheetCells, kCell * 3, CellSheet(kCell, kSheetCells, 3, 7)) &&
           WritePng(images + "/game/shopbutton.png", 440, 110, CellSheet(110, 4, 1, 3)) &&
           WritePng(images + "/game/smallrank.png", 60, 20, CellSheet(20, 3, 1, 5));
}

} // namespace Kavo::SampleContent
