#include "game/board/stage.h"

#include "engine/base/string_tools.h"
#include "game/ui/ini_section.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace Game {

namespace {

// The parts of a ";" list in place: empty parts keep their position, so
// "0;;1" still has its third part third.
std::vector<std::string> SemicolonParts(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(';', start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// "from;to;list": the bounds of a numbered range key and its third part.
template <typename Range>
std::string ReadBounds(const std::string& value, Range& range) {
    const std::vector<std::string> parts = SemicolonParts(value);
    range.mFrom = std::atoi(parts[0].c_str());
    range.mTo = parts.size() > 1 ? std::atoi(parts[1].c_str()) : 0;
    return parts.size() > 2 ? parts[2] : std::string();
}

// Reads "<prefix>0", "<prefix>1", ... until the first missing number.
template <typename Range, typename ReadList>
void ReadRanges(const IniSection& section, const char* prefix, std::vector<Range>& ranges, ReadList readList) {
    for (int n = 0;; ++n) {
        const std::string key = prefix + std::to_string(n);
        if (!section.HasKey(key))
            return;
        Range& range = ranges.emplace_back();
        readList(ReadBounds(section.GetString(key), range), range);
    }
}

template <typename Range>
const Range* RangeFor(const std::vector<Range>& ranges, float progress) {
    if (ranges.empty())
        return nullptr;
    const int n = TruncateToInt(progress);
    for (const Range& range : ranges) {
        if (range.mFrom <= n && n <= range.mTo)
            return &range;
    }
    return &ranges.front();
}

} // namespace

int TruncateToInt(float value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

Stage::Stage(const IniSection& section) {
    std::vector<std::string> boards;
    com_string::Split(section.GetString("Boards").c_str(), ',', boards);
    mFirstBoard = boards.empty() ? 0 : std::atoi(boards[0].c_str());
    mLastBoard = boards.size() > 1 ? std::atoi(boards[1].c_str()) : mFirstBoard;
    if (mLastBoard < mFirstBoard)
        mLastBoard = mFirstBoard;
    mTime = TruncateToInt(section.GetFloat("Time", 300.0f));
    mBack = section.GetString("Back");
    mSecretMap = section.GetString("SecretMap");
    mDrinkCount = section.GetInt("DrinkCount", 100);
    mEatCount = section.GetInt("EatCount", 100);
    mStuffCount = section.GetInt("StuffCount", 100);
    mStuffPrice = section.GetInt("StuffPrice", 5);
    mEatPrice = section.GetInt("EatPrice", 5);
    mDrinkPrice = section.GetInt("DrinkPrice", 5);
    mBonus = section.GetString("Bonus");
    ReadRanges(section, "Items", mItems, [](const std::string& list, ItemRange& range) {
        std::vector<std::string> ids;
        com_string::Split(list.c_str(), ',', ids);
        for (const std::string& id : ids)
            range.mIds.push_back(std::atoi(id.c_str()));
    });
    ReadRanges(section, "Bonuses", mBonuses,
               [](const std::string& list, BonusRange& range) { com_string::Split(list.c_str(), ',', range.mNames); });
}

std::vector<int> Stage::ItemsFor(float progress) const {
    const ItemRange* range = RangeFor(mItems, progress);
    return range == nullptr ? std::vector<int>() : range->mIds;
}

void Stage::BonusesFor(float progress, std::vector<std::string>& names) const {
    if (const BonusRange* range = RangeFor(mBonuses, progress))
        names.insert(names.end(), range->mNames.begin(), range->mNames.end());
}

} // namespace Game
