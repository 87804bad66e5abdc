#pragma once
// The secret maps: postcards cut into pieces that the player finds one by one
// on the board. Each postcard names the recipe it gives and the picture
// puzzle it opens. Read once from "data/secretmaps.txt" and kept for the run.

#include "game/ui/profile_services.h"
#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Game {

class IniDocument;
class IniSection;

// One piece of a postcard.
struct SecretMapItem {
    std::string mName;     // the piece's picture
    std::string mGlowName; // the name + "glow": the piece's highlight picture
    float mX = 0;          // the centre, relative to the postcard's centre
    float mY = 0;
    float mExtraX = 0; // where the secret dialog's flash shows
    float mExtraY = 0;
};

struct SecretMapEntry {
    std::string mName; // the section name
    std::string mFrame;
    std::vector<SecretMapItem> mItems;
    std::string mMap;      // the complete postcard's picture
    std::string mPostCard; // the post panel's picture
    int mPuzzle = 0;
    float mX = 0; // the postcard's centre on the secret dialog
    float mY = 0;
    std::string mRecipe;

    int GetPieceCount() const { return static_cast<int>(mItems.size()); }
};

// The pieces of an "Items" value: pieces split at ';', fields at ','. A piece
// with fewer than three fields (name, x, y) is skipped; the flash point is
// read only from a piece of five fields, else it is (0, 0).
std::vector<SecretMapItem> ParseSecretMapItems(const std::string& value);

class SecretMaps : public SecretMapTable {
public:
    // Appends one entry per section of the file, in the document's order.
    // False when the file cannot be read or holds no section (the table is
    // then as it was).
    bool Load(const std::string& path);
    // The same over a document already read.
    bool AddDocument(IniDocument& document);

    // The entry at index modulo the number of entries (a negative index wraps
    // into range too); null for an empty table.
    const SecretMapEntry* Get(int index) const;
    const SecretMapEntry* FindByName(const std::string& name) const;
    // The first entry whose recipe is `recipe`.
    const SecretMapEntry* FindByRecipe(const std::string& recipe) const;

    int GetMapCount() const override { return static_cast<int>(mEntries.size()); }
    // 0 for an empty table.
    int GetPieceCount(int index) const override;

    std::vector<SecretMapEntry> mEntries;

private:
    static SecretMapEntry ReadEntry(const std::string& name, const IniSection& section);
};

// The run's table, installed by the application before loading.
platform::ProcessSlot<SecretMaps>& SecretMapsSlot();

// The pieces of the map at `index` of the installed table: 0 without a table
// or a map.
int SecretMapPieceCount(int index);

} // namespace Game
