#include "tools/preview/board_art.h"

#include <algorithm>
#include <cstdlib>

#include "framework/imagelib/image_lib.h"
#include "framework/parser/xml_parser.h"

namespace Kavo {

namespace {

using Attributes = std::map<std::string, std::string>;

// Reads the manifest's "Image" elements into id -> attributes, with the
// "SetDefaults" path and prefix applied.
bool ReadImageList(const std::string& manifest, std::map<std::string, Attributes>& images, std::string& error) {
    XMLParser parser;
    if (!parser.OpenFile(manifest)) {
        error = parser.GetErrorText();
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
            images[idPrefix + attrs["id"]] = attrs;
        }
    }
    error = parser.GetErrorText();
    return error.empty();
}

std::string Find(const Attributes& attrs, const char* key) {
    auto it = attrs.find(key);
    return it == attrs.end() ? std::string() : it->second;
}

std::unique_ptr<MemoryImage> LoadPicture(const Attributes& attrs) {
    const std::string alphaColor = Find(attrs, "alphacolor");
    ImageLib::gAlphaColor = alphaColor.empty() ? 0xFFFFFF : std::strtoul(alphaColor.c_str(), nullptr, 16);
    std::unique_ptr<ImageLib::Image> file = ImageLib::LoadImageFile(Find(attrs, "path"), true);
    if (!file)
        return nullptr;
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(file->GetBits(), file->mWidth, file->mHeight);
    if (!Find(attrs, "cols").empty())
        image->mNumCols = std::max(1, std::atoi(Find(attrs, "cols").c_str()));
    if (!Find(attrs, "rows").empty())
        image->mNumRows = std::max(1, std::atoi(Find(attrs, "rows").c_str()));
    return image;
}

} // namespace

bool BoardArt::Load(std::string& error, std::string& missing) {
    std::map<std::string, Attributes> list;
    if (!ReadImageList("properties/resources.xml", list, error))
        return false;
    mNamed = list.size();
    for (const auto& [id, attrs] : list) {
        if (auto image = LoadPicture(attrs))
            mImages[id] = std::move(image);
        else
            missing += (missing.empty() ? "" : ", ") + id + " (" + Find(attrs, "path") + ")";
    }
    return true;
}

MemoryImage* BoardArt::Get(const std::string& id) const {
    auto it = mImages.find(id);
    return it == mImages.end() ? nullptr : it->second.get();
}

} // namespace Kavo
