// Until the game has its window, this program shows what the framework can
// do headless: it mounts "main.pak", reads the resource manifest, loads every
// picture it names, draws one frame of a board through the drawing context
// and the software rasteriser, writes a caption with the sample bitmap font
// and a line with a system font, and writes that frame as a PNG.
//
//   kavo-preview [--pak main.pak] [--out preview.png]

#include "framework/font/default_font_services.h"
#include "framework/font/image_font.h"
#include "framework/font/sys_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image_registry.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/pak/pak_interface.h"
#include "framework/parser/xml_parser.h"
#include "platform/process_slot.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace Kavo;

// Reads the manifest's "Image" elements into id -> (path, attributes), with
// the "SetDefaults" path and prefix applied.
bool ReadImageList(const std::string& manifest, std::map<std::string, std::map<std::string, std::string>>* images,
                   std::string* error) {
    XMLParser parser;
    if (!parser.OpenFile(manifest)) {
        *error = parser.GetErrorText();
        return false;
    }
    std::string defaultPath, idPrefix;
    XMLElement element;
    while (parser.ReadNextElement(&element)) {
        if (element.mType != XMLElement::TYPE_START)
            continue;
        auto& attrs = element.mAttributes;
        if (element.mValue == "SetDefaults") {
            if (attrs.count("path"))
                defaultPath = attrs["path"];
            if (attrs.count("idprefix"))
                idPrefix = attrs["idprefix"];
        } else if (element.mValue == "Image") {
            attrs["path"] = defaultPath + attrs["path"];
            (*images)[idPrefix + attrs["id"]] = attrs;
        }
    }
    *error = parser.GetErrorText();
    return error->empty();
}

std::unique_ptr<MemoryImage> LoadPicture(const std::map<std::string, std::string>& attrs) {
    auto find = [&](const char* key) {
        auto it = attrs.find(key);
        return it == attrs.end() ? std::string() : it->second;
    };
    std::string alphaColor = find("alphacolor");
    ImageLib::gAlphaColor = alphaColor.empty() ? 0xFFFFFF : std::strtoul(alphaColor.c_str(), nullptr, 16);
    std::unique_ptr<ImageLib::Image> file = ImageLib::LoadImageFile(find("path"), true);
    if (!file)
        return nullptr;
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(file->GetBits(), file->mWidth, file->mHeight);
    if (!find("cols").empty())
        image->mNumCols = std::max(1, std::atoi(find("cols").c_str()));
    if (!find("rows").empty())
        image->mNumRows = std::max(1, std::atoi(find("rows").c_str()));
    return image;
}

void DrawFrame(Graphics& g, std::map<std::string, std::unique_ptr<MemoryImage>>& art) {
    auto get = [&](const char* id) { return art.count(id) ? art[id].get() : nullptr; };
    if (MemoryImage* background = get("IMAGE_BACKGROUND"))
        g.DrawImage(background, 0, 0);

    // An 8 x 8 board in the middle, one item per cell.
    const int cell = 72, cols = 8, rows = 8;
    const int left = (1024 - cols * cell) / 2, top = 150;
    g.SetColor(Color(0, 0, 0, 96));
    g.FillRect(left - 8, top - 8, cols * cell + 16, rows * cell + 16);
    MemoryImage* tile = get("IMAGE_TILE");
    MemoryImage* items = get("IMAGE_ITEMS");
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int x = left + c * cell, y = top + r * cell;
            if (tile)
                g.DrawImage(tile, x, y);
            if (items) {
                int kind = (r * 5 + c * 3 + (r * c) % 4) % items->mNumCols;
                g.DrawImageCel(items, x + (cell - items->GetCelWidth()) / 2, y + (cell - items->GetCelHeight()) / 2,
                               kind, 0);
            }
        }

    if (MemoryImage* selection = get("IMAGE_SELECTION"))
        g.DrawImage(selection, left + 3 * cell, top + 2 * cell);

    // A swapped item mid-flight: rotated through the software rasteriser.
    if (items) {
        IntRect cel = items->GetCelRect(2);
        g.DrawImageRotatedF(items, float(left + 4 * cell + 30), float(top + 2 * cell + 4), 0.6, &cel);
    }

    // A glow added on top, and the title plate stretched over the board.
    if (MemoryImage* glow = get("IMAGE_GLOW")) {
        g.SetDrawMode(1);
        g.DrawImage(glow, left + 5 * cell - 12, top + 5 * cell - 12);
        g.SetDrawMode(0);
    }
    if (MemoryImage* logo = get("IMAGE_LOGO"))
        g.DrawImage(logo, IntRect((1024 - 384) / 2, 30, 384, 96), IntRect(0, 0, logo->mWidth, logo->mHeight));

    g.SetColor(Color(255, 240, 200));
    g.DrawRect(left - 8, top - 8, cols * cell + 16, rows * cell + 16);
}

// A caption in the sample bitmap font (its shadow layer under its face) and
// a status line in a system font. Returns false when the bitmap font fails.
bool DrawTexts(Graphics& g) {
    ImageFont caption("fonts/sample.txt");
    if (!caption.IsLoaded())
        return false;
    caption.SetPointSize(caption.GetDefaultPointSize() * 3 / 2);
    const std::string title = "Match three, then more!";
    caption.DrawString(&g, (1024 - caption.StringWidth(title)) / 2, 142, title, Color(255, 220, 120), IntRect());

    SysFont status("Tahoma", 10);
    status.mShadow = true;
    status.DrawString(&g, 12, 756, "Drawn headless: bitmap font above, system font here.", Color(230, 230, 230),
                      IntRect());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string pak = "main.pak", out = "preview.png";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--pak")
            pak = argv[i + 1];
        else if (flag == "--out")
            out = argv[i + 1];
    }

    const platform::Installed<PakInterfaceBase> reader(PakReaderSlot(), *gPakInterface);
    const platform::Installed<ImageRegistry> images(ImageRegistrySlot(), std::make_shared<ImageRegistry>());
    DefaultFontServices fontServices;
    const platform::Installed<FontServices> fonts(FontServicesSlot(), fontServices);
    if (!gPakInterface->MountArchive(pak)) {
        std::fprintf(stderr, "kavo-preview: cannot mount %s\n", pak.c_str());
        return 1;
    }
    std::map<std::string, std::map<std::string, std::string>> list;
    std::string error;
    if (!ReadImageList("properties/resources.xml", &list, &error)) {
        std::fprintf(stderr, "kavo-preview: resource manifest: %s\n", error.c_str());
        return 1;
    }
    std::map<std::string, std::unique_ptr<MemoryImage>> art;
    for (const auto& [id, attrs] : list) {
        if (auto image = LoadPicture(attrs))
            art[id] = std::move(image);
        else
            std::fprintf(stderr, "kavo-preview: cannot load %s (%s)\n", id.c_str(), attrs.at("path").c_str());
    }

    MemoryImage frame;
    frame.Create(1024, 768);
    frame.ClearRect(IntRect(0, 0, 1024, 768));
    Graphics g(&frame);
    DrawFrame(g, art);
    const bool textsDrawn = DrawTexts(g);
    if (!textsDrawn)
        std::fprintf(stderr, "kavo-preview: the sample font does not load\n");

    ImageLib::Image shot(1024, 768);
    std::copy(frame.GetBits(), frame.GetBits() + 1024 * 768, shot.GetBits());
    if (!ImageLib::SaveAsPng(out, shot)) {
        std::fprintf(stderr, "kavo-preview: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("No window yet: drew one frame headless, with %zu of %zu pictures from %s, into %s\n", art.size(),
                list.size(), pak.c_str(), out.c_str());
    return art.size() == list.size() && textsDrawn ? 0 : 1;
}
