#include "game/meta/secret_maps.h"

#include "engine/base/string_tools.h"
#include "framework/util/string_util.h"
#include "game/ui/ini_document.h"

namespace Game {

platform::ProcessSlot<SecretMaps>& SecretMapsSlot() {
    static platform::ProcessSlot<SecretMaps> slot;
    return slot;
}

int SecretMapPieceCount(int index) {
    auto maps = SecretMapsSlot().Get();
    return maps != nullptr ? maps->GetPieceCount(index) : 0;
}

namespace {

float FieldValue(const std::string& field) {
    int value = 0;
    Kavo::StringToInt(field, &value);
    return static_cast<float>(value);
}

} // namespace

std::vector<SecretMapItem> ParseSecretMapItems(const std::string& value) {
    std::vector<SecretMapItem> items;
    std::vector<std::string> pieces;
    com_string::Split(value.c_str(), ';', pieces);
    std::vector<std::string> fields;
    for (const std::string& piece : pieces) {
        com_string::Split(piece.c_str(), ',', fields);
        if (fields.size() < 3)
            continue; // a broken piece: no position to place it at
        SecretMapItem item;
        item.mName = fields[0];
        item.mGlowName = fields[0] + "glow";
        item.mX = FieldValue(fields[1]);
        item.mY = FieldValue(fields[2]);
        if (fields.size() == 5) {
            item.mExtraX = FieldValue(fields[3]);
            item.mExtraY = FieldValue(fields[4]);
        }
        items.push_back(std::move(item));
    }
    return items;
}

bool SecretMaps::Load(const std::string& path) {
    IniDocument document;
    if (!document.Load(path, true))
        return false;
    return AddDocument(document);
}

bool SecretMaps::AddDocument(IniDocument& document) {
    if (document.GetSectionCount() == 0)
        return false;
    for (auto it = document.Begin(); it != document.End(); ++it)
        mEntries.push_back(ReadEntry(it.Name(), it.Value()));
    return true;
}

SecretMapEntry SecretMaps::ReadEntry(const std::string& name, const IniSection& section) {
    SecretMapEntry entry;
    entry.mName = name;
    entry.mFrame = section.GetString("Frame");
    entry.mItems = ParseSecretMapItems(section.GetString("Items"));
    entry.mMap = section.GetString("Map");
    entry.mPostCard = section.GetString("PostCard");
    entry.mPuzzle = section.GetInt("Puzzle", 0);
    entry.mX = static_cast<float>(section.GetInt("X", 0));
    entry.mY = static_cast<float>(section.GetInt("Y", 0));
    entry.mRecipe = section.GetString("Recipe");
    return entry;
}

const SecretMapEntry* SecretMaps::Get(int index) const {
    if (mEntries.empty())
        return nullptr;
    const long long count = static_cast<long long>(mEntries.size());
    long long wrapped = index % count;
    if (wrapped < 0)
        wrapped += count;
    return &mEntries[static_cast<size_t>(wrapped)];
}

const SecretMapEntry* SecretMaps::FindByName(const std::string& name) const {
    for (const SecretMapEntry& entry : mEntries)
        if (entry.mName == name)
            return &entry;
    return nullptr;
}

const SecretMapEntry* SecretMaps::FindByRecipe(const std::string& recipe) const {
    for (const SecretMapEntry& entry : mEntries)
        if (entry.mRecipe == recipe)
            return &entry;
    return nullptr;
}

int SecretMaps::GetPieceCount(int index) const {
    const SecretMapEntry* entry = Get(index);
    return entry != nullptr ? entry->GetPieceCount() : 0;
}

} // namespace Game
