#include "tools/sample_content/board_content.h"

#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace Kavo::SampleContent {

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 10;
constexpr int kItemCount = 13;
constexpr int kItemSize = 44;

using Pixels = std::vector<uint32_t>;

uint32_t Argb(int a, int r, int g, int b) {
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// A round chip of the item's colour; `kind` 0 whole, 1 cracked in two, 2 a
// faint cloud of dust, 3 a small star for the secret item.
Pixels ItemPicture(int id, int kind) {
    static const int kColors[kItemCount][3] = {
        {220, 40, 40},   {40, 180, 60}, {50, 90, 220},   {240, 200, 30}, {170, 60, 200}, {240, 130, 30}, {30, 190, 190},
        {250, 120, 160}, {120, 80, 40}, {200, 200, 200}, {90, 60, 160},  {160, 200, 40}, {60, 60, 60}};
    const int* c = kColors[id % kItemCount];
    Pixels px(size_t(kItemSize) * kItemSize, 0);
    const double half = kItemSize / 2.0;
    for (int y = 0; y < kItemSize; ++y) {
        for (int x = 0; x < kItemSize; ++x) {
            const double dx = x + 0.5 - half;
            const double dy = y + 0.5 - half;
            const double r = std::sqrt(dx * dx + dy * dy);
            double cover = std::clamp(half * 0.85 - r, 0.0, 1.0);
            if (kind == 1 && std::abs(dx - dy * 0.3) < 1.5)
                cover = 0;
            if (kind == 2)
                cover *= ((x * 7 + y * 13) % 5 == 0) ? 0.6 : 0.0;
            if (kind == 3) {
                const double angle = std::atan2(dy, dx);
                cover = std::clamp(half * (0.45 + 0.25 * std::cos(5 * angle)) - r, 0.0, 1.0);
            }
            if (cover <= 0)
                continue;
            const double shade = 1.0 - 0.3 * (dy + half) / kItemSize;
            px[size_t(y) * kItemSize + x] =
                Argb(int(cover * 255), int(c[0] * shade), int(c[1] * shade), int(c[2] * shade));
        }
    }
    return px;
}

void PutLong(std::string& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes += char((value >> shift) & 0xFF);
}

struct Layout {
    std::array<uint8_t, kColumns * kRows> tiles{};
    std::array<std::vector<std::pair<uint8_t, uint8_t>>, kColumns * kRows> outEdges;
    std::array<std::vector<std::pair<uint8_t, uint8_t>>, kColumns * kRows> inEdges;
    std::array<uint8_t, kColumns * kRows> chains{};

    uint8_t& Tile(int column, int row) { return tiles[size_t(row * kColumns + column)]; }

    void Append(std::string& bytes) const {
        bytes.append(tiles.begin(), tiles.end());
        for (const auto* lists : {&outEdges, &inEdges}) {
            for (const auto& list : *lists) {
                PutLong(bytes, uint32_t(list.size()));
                for (const auto& [direction, index] : list)
                    bytes += {char(direction), char(index)};
            }
        }
        bytes.append(chains.begin(), chains.end());
    }
};

void Fill(Layout& layout, int c0, int c1, int r0, int r1, uint8_t value) {
    for (int row = r0; row <= r1; ++row)
        for (int column = c0; column <= c1; ++column)
            layout.Tile(column, row) = value;
}

// Outer border pieces around the layout's cells: an edge where a side has
// no cell, a corner where both sides of it have none (directions of the
// bevel sets: 0 left-top, 1 top, 3 right-top, 4 right, 6 right-bottom,
// 7 bottom, 9 left-bottom, 10 left).
void Frame(Layout& layout) {
    auto present = [&](int column, int row) {
        return column >= 0 && column < kColumns && row >= 0 && row < kRows && layout.Tile(column, row) != 0;
    };
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            if (!present(column, row))
                continue;
            const bool up = !present(column, row - 1);
            const bool down = !present(column, row + 1);
            const bool left = !present(column - 1, row);
            const bool right = !present(column + 1, row);
            auto& edges = layout.outEdges[size_t(row * kColumns + column)];
            for (auto [open, direction] : {std::pair(up, 1), std::pair(right, 4), std::pair(down, 7),
                                           std::pair(left, 10), std::pair(up && left, 0), std::pair(up && right, 3),
                                           std::pair(down && right, 6), std::pair(down && left, 9)})
                if (open)
                    edges.push_back({uint8_t(direction), uint8_t(0)});
        }
}

} // namespace

std::string ItemsText() {
    static const char* const kAnimations[3] = {"glass", "plate", "box"};
    std::string text;
    for (int id = 0; id < kItemCount; ++id) {
        const std::string n = std::to_string(id);
        const int type = id % 3;
        text += "[Item" + std::string(id < 10 ? "0" : "") + n + "]\r\n";
        text += "ID=" + n + "\r\n";
        text += "Type=" + std::to_string(type) + "\r\n";
        text += "Price=" + std::to_string(1 + id % 5) + "\r\n";
        text += "Cursor=images/items/chip" + n + "\r\n";
        text += "Secret=images/items/secret" + n + "\r\n";
        text += "AnimObj=" + std::string(kAnimations[type]) + n + "\r\n";
    }
    return text;
}

std::string BoardsDatBytes() {
    std::vector<Layout> layouts(8);

    // A 6 x 5 rectangle in the middle, one tile each.
    Fill(layouts[0], 5, 10, 2, 6, 1);

    // The whole grid with holes in the corners and the middle.
    Fill(layouts[1], 0, 15, 0, 9, 1);
    for (auto [column, row] : {std::pair(0, 0), std::pair(15, 0), std::pair(0, 9), std::pair(15, 9), std::pair(7, 4),
                               std::pair(8, 4), std::pair(7, 5), std::pair(8, 5)})
        layouts[1].Tile(column, row) = 0;

    // Double tiles in the middle, chains of both styles, border pieces. The
    // chains stand apart in the bottom row: nothing falls past a chained
    // item, so a chain higher up would starve every cell below it, and a
    // chain's neighbours in its row stay free to line up with it.
    Layout& third = layouts[2];
    Fill(third, 3, 12, 1, 8, 1);
    Fill(third, 6, 9, 3, 6, 2);
    for (int column = 4; column <= 12; column += 4)
        third.chains[size_t(8 * kColumns + column)] = column == 8 ? 0x13 : 0x11;
    for (int column = 3; column <= 12; ++column) {
        third.outEdges[size_t(1 * kColumns + column)] = {{0, uint8_t(column % 3)}};
        third.outEdges[size_t(8 * kColumns + column)] = {{2, uint8_t(column % 3)}};
    }
    for (int row = 1; row <= 8; ++row) {
        third.outEdges[size_t(row * kColumns + 3)].push_back({3, 0});
        third.outEdges[size_t(row * kColumns + 12)].push_back({1, 0});
    }
    third.inEdges[size_t(3 * kColumns + 6)] = {{4, 0}, {5, 1}};
    third.inEdges[size_t(6 * kColumns + 9)] = {{6, 0}, {7, 1}, {8, 2}};

    // An irregular shape: a diamond whose middle row stops at the middle.
    Layout& fourth = layouts[3];
    for (int row = 0; row < kRows; ++row) {
        const int reach = row <= 4 ? row + 2 : kRows - row + 1;
        for (int column = 7 - reach; column <= 8 + reach; ++column)
            fourth.Tile(column, row) = 1;
    }
    for (int column = 8; column < kColumns; ++column)
        fourth.Tile(column, 5) = 0;

    // The stages' boards, 50-pixel cells in the screen's middle (the grid's
    // column c starts at x 177 + 50 c, row r at y 103 + 50 r), clear of the
    // panels around them: the first stage's 7 x 6, then 7 x 7 plain, 8 x 7
    // with double tiles in the middle and 8 x 8 with double tiles in its
    // corners. They carry no chains: a chain wants lines through the one
    // cell it holds, which on a board this size can take minutes to come;
    // layout 2 shows them.
    Fill(layouts[4], 3, 9, 3, 8, 1);
    Fill(layouts[5], 3, 9, 2, 8, 1);
    Fill(layouts[6], 3, 10, 2, 8, 1);
    Fill(layouts[6], 5, 8, 4, 6, 2);
    Fill(layouts[7], 3, 10, 2, 9, 1);
    for (auto [column, row] : {std::pair(3, 2), std::pair(10, 2), std::pair(3, 9), std::pair(10, 9)})
        layouts[7].Tile(column, row) = 2;
    for (Layout* framed : {&layouts[4], &layouts[5], &layouts[6], &layouts[7]})
        Frame(*framed);

    std::string bytes;
    PutLong(bytes, uint32_t(layouts.size()));
    for (const Layout& layout : layouts)
        layout.Append(bytes);
    return bytes;
}

namespace {

// The broken item as the pepper scatters it: eight pieces side by side, each
// a cracked chip.
constexpr int kPieces = 8;

Pixels Pieces(int id) {
    const Pixels piece = ItemPicture(id, 1);
    Pixels px(size_t(kItemSize) * kPieces * kItemSize);
    for (int y = 0; y < kItemSize; ++y)
        for (int i = 0; i < kPieces; ++i)
            std::copy_n(piece.begin() + y * kItemSize, kItemSize, px.begin() + (y * kPieces + i) * kItemSize);
    return px;
}

} // namespace

bool WriteBoardContent(const std::string& root) {
    namespace enc = Kavo::ImageEncoders;
    auto write = [&](const std::string& name, const std::string& bytes) {
        const std::string path = root + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        return platform::WriteWholeFile(path, bytes);
    };
    auto png = [](int width, int height, const Pixels& pixels) {
        const enc::Bytes bytes = enc::EncodePngArgb(width, height, pixels);
        return std::string(bytes.begin(), bytes.end());
    };
    bool ok = write("data/items.txt", ItemsText()) && write("data/boards.dat", BoardsDatBytes());
    for (int id = 0; ok && id < kItemCount; ++id) {
        const std::string base = "images/items/";
        const std::string n = std::to_string(id);
        ok = write(base + "chip" + n + ".png", png(kItemSize, kItemSize, ItemPicture(id, 0))) &&
             write(base + "chip" + n + "broke.png", png(kItemSize * kPieces, kItemSize, Pieces(id))) &&
             write(base + "chip" + n + "dust.png", png(kItemSize, kItemSize, ItemPicture(id, 2))) &&
             write(base + "secret" + n + ".png", png(kItemSize, kItemSize, ItemPicture(id, 3)));
    }
    // The selection's animation is the game content's "data/selected.anim".
    return ok;
}

} // namespace Kavo::SampleContent
