#include "game/meta/shop_catalog.h"

#include "engine/base/string_tools.h"
#include "game/meta/catalog_sections.h"
#include "game/meta/room_image_source.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace Game {

namespace {

const char kRoomFolder[] = "images/shop/";

bool Listed(const ShopCatalog::NameList& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// "x,y,srcX,srcY,srcW,srcH"; numbers that are missing stay 0.
ShopDrawInfo ParsePiece(const std::string& text) {
    int n[6] = {0, 0, 0, 0, 0, 0};
    std::sscanf(text.c_str(), "%d,%d,%d,%d,%d,%d", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]);
    return ShopDrawInfo{static_cast<float>(n[0]), static_cast<float>(n[1]), n[2], n[3], n[4], n[5]};
}

Kavo::IntRect ParseRect(const std::string& text) {
    Kavo::IntRect rect;
    std::sscanf(text.c_str(), "%d,%d,%d,%d", &rect.mX, &rect.mY, &rect.mWidth, &rect.mHeight);
    return rect;
}

} // namespace

platform::ProcessSlot<ShopCatalog>& ShopCatalogSlot() {
    static platform::ProcessSlot<ShopCatalog> slot;
    return slot;
}

bool ShopCatalog::Load(const std::string& path) {
    IniDocument document;
    document.Load(path, true);
    return AddDocument(document);
}

bool ShopCatalog::AddDocument(IniDocument& document) {
    if (document.GetSectionCount() == 0)
        return false;
    const IniSection* main = FindMainSection(document);
    if (main != nullptr) {
        int counter = 0;
        for (auto key = main->Begin(); key != main->End(); ++key)
            mCategoryIndex[key.ValueText()] = counter++;
        mCategories.resize(static_cast<size_t>(counter));
    }
    for (auto section = document.Begin(); section != document.End(); ++section) {
        if (&section.Value() == main)
            continue;
        auto item = std::make_unique<ShopItem>();
        ReadItem(*item, section.Value(), section.Name());
        // A category number that has no map (none read yet, or a later file
        // listed fewer) files the item in no map; it stays in mItems.
        if (static_cast<size_t>(item->mCategoryIndex) < mCategories.size())
            mCategories[static_cast<size_t>(item->mCategoryIndex)][item->mName] = item.get();
        mItems.push_back(std::move(item));
    }
    return true;
}

void ShopCatalog::ReadItem(ShopItem& item, const IniSection& section, const std::string& name) {
    item.mName = name;
    item.mCaption = section.GetString("Caption");
    item.mImageShop = section.GetString("ImageShop");
    item.mShopRect = ReadRectSetting(section, "ShopRect");
    item.mLevel = section.GetInt("Level", 0);
    item.mPrice = section.GetInt("Price", 0);
    item.mZOrder = section.GetInt("ZOrder", 0);
    item.mRemovable = section.GetInt("Removable", 0) == 1;
    item.mReplace = section.GetInt("Replace", 1) == 1;
    item.mWeight = section.GetFloat("Weight", 0.0f);
    item.mRestIndex = section.GetInt("RestIndex", 0);
    com_string::Split(section.GetString("DeleteItems").c_str(), ',', item.mDeleteItems);
    item.mEffect = section.GetInt("Effect", 0);
    std::vector<std::string> pieces;
    com_string::Split(section.GetString("EffectRects").c_str(), ';', pieces);
    for (const std::string& piece : pieces)
        item.mEffectRects.push_back(ParseRect(piece));
    item.mRank = section.GetInt("Rank", 0);
    item.mScores = section.GetInt("Scores", 0);
    item.mShopIndex = section.GetInt("ShopIndex", 0);
    item.mSound = section.GetString("Sound");
    item.mImageRoom = section.GetString("ImageRoom");
    item.mCategoryIndex = CategoryNumber(mCategoryIndex, section.GetString("Category"));
    com_string::Split(section.GetString("DrawInfo").c_str(), ';', pieces);
    for (const std::string& piece : pieces)
        item.mDrawInfo.push_back(ParsePiece(piece));
    item.mPieceCount = static_cast<int>(item.mDrawInfo.size());

    // The effect areas hang on the first piece: without one there is neither
    // a default area nor an offset.
    if (!item.mDrawInfo.empty()) {
        const ShopDrawInfo& first = item.mDrawInfo.front();
        if (item.mEffect > 0 && item.mEffectRects.empty())
            item.mEffectRects.emplace_back(first.mSrcX, first.mSrcY, first.mSrcW, first.mSrcH);
        for (Kavo::IntRect& rect : item.mEffectRects) {
            rect.mX = static_cast<int>(static_cast<float>(rect.mX) + first.mX);
            rect.mY = static_cast<int>(static_cast<float>(rect.mY) + first.mY);
        }
    }
    item.mSerial = mNextSerial++;
}

void ShopCatalog::BindImages() {
    for (CategoryMap& category : mCategories)
        for (auto& [name, item] : category)
            item->mShopImage = GetImageResourceById(GetIdByStringId(item->mImageShop));
}

ShopItem* ShopCatalog::Find(const std::string& name) const {
    for (const CategoryMap& category : mCategories) {
        auto it = category.find(name);
        if (it != category.end())
            return it->second;
    }
    return nullptr;
}

void ShopCatalog::LoadRoomImages(const NameList& names, RoomImageSource& source) {
    for (auto& item : mItems) {
        if (item->mRoomImage != nullptr || !Listed(names, item->mName))
            continue;
        const std::string path = kRoomFolder + item->mImageRoom;
        if (!source.HasImage(path))
            source.LoadImageWithFlags(path, item->mZOrder == 0 ? "a8r8g8b8 noalpha" : "a8r8g8b8");
        item->mRoomImage = source.GetImageById(path);
    }
}

void ShopCatalog::ReleaseRoomImages(const NameList& names, RoomImageSource& source) {
    std::set<std::string> kept;
    for (auto& item : mItems)
        if (item->mRoomImage != nullptr && Listed(names, item->mName))
            kept.insert(kRoomFolder + item->mImageRoom);
    std::set<std::string> released;
    for (auto& item : mItems) {
        if (item->mRoomImage == nullptr || Listed(names, item->mName))
            continue;
        const std::string path = kRoomFolder + item->mImageRoom;
        item->mRoomImage = nullptr;
        if (kept.count(path) == 0 && released.insert(path).second)
            source.DeleteImage(path);
    }
}

float ShopCatalog::ComputeRoomValue(const NameList& names, int rank) const {
    std::vector<const ShopItem*> collected;
    for (const std::string& name : names) {
        const ShopItem* item = Find(name);
        if (item != nullptr && item->mRank == rank)
            collected.push_back(item);
    }
    const size_t wall = static_cast<size_t>(CategoryNumber(mCategoryIndex, "wall"));
    int style = 0;
    if (wall < mCategories.size()) {
        const CategoryMap& walls = mCategories[wall];
        for (const ShopItem* item : collected) {
            auto it = walls.find(item->mName);
            if (it != walls.end() && it->second == item) {
                style = item->mRestIndex;
                break;
            }
        }
    }
    float value = 0;
    for (const ShopItem* item : collected)
        if (item->mRestIndex == style)
            value += item->mWeight;
    return value;
}

} // namespace Game
