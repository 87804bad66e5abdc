#pragma once
// The table of item kinds: every chip that can lie on the board, with its
// pictures, read once from "data/items.txt". Board cells hold only an item
// id and find its pictures here.

#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class IniDocument;

// One item kind. The pictures are shared from the game's resource manager
// and never freed here; a name without a picture leaves its pointer null.
struct ItemRecord {
    int mType = 0;
    std::string mAnimObj;
    std::string mCursor;
    Kavo::Image* mImage = nullptr;
    Kavo::Image* mBoardImage = nullptr;
    Kavo::Image* mSecretImage = nullptr;
    Kavo::Image* mBrokeImage = nullptr;
    Kavo::Image* mDustImage = nullptr;
    int mPrice = 3;
    int mId = 0;
};

class ItemCatalog {
public:
    // Reads the document at `path` and appends one record per section.
    // False (the first reason kept) when the file gives no section or the
    // catalogue ends up empty.
    bool Load(const std::string& path);
    // The same over a document already read; sections come in the
    // document's order (ascending names).
    bool LoadDocument(IniDocument& document);

    // The first record of that id in load order, or null.
    const ItemRecord* Find(int id) const;
    size_t Size() const { return mItems.size(); }
    void Clear() { mItems.clear(); }
    const std::string& GetErrorText() const { return mErrorText; }

private:
    bool Fail(const std::string& text);

    std::vector<ItemRecord> mItems;
    std::string mErrorText;
};

// The catalogue the application installed (null before it did).
platform::ProcessSlot<ItemCatalog>& ItemCatalogSlot();

// Find on the installed catalogue; null without one.
const ItemRecord* FindItem(int id);

} // namespace Game
