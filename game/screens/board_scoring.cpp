#include "game/screens/board_scoring.h"

#include <algorithm>

#include "game/board/item_catalog.h"

namespace Game {

namespace {

constexpr float kSpecialExtra = 1.0f;
constexpr float kSpecialShowExtra = 0.2f;

} // namespace

int BreakScore::Total() const {
    int total = 0;
    for (const ScoreRecord& record : mRecords)
        total += record.mScore;
    return total;
}

bool FiguresCross(const Figure& a, const Figure& b) {
    for (const CellPos& cell : a.mCells)
        if (std::find(b.mCells.begin(), b.mCells.end(), cell) != b.mCells.end())
            return true;
    return false;
}

BreakScore ScoreFigures(std::vector<Figure> figures, const ItemLookup& lookup, int specialItem, bool doubled) {
    BreakScore result;
    std::vector<ScoreRecord> records;
    for (size_t i = 0; i < figures.size(); ++i) {
        const Figure& figure = figures[i];
        std::vector<size_t> crossing;
        std::vector<size_t> group;
        for (size_t j = i + 1; j < figures.size(); ++j) {
            if (!FiguresCross(figure, figures[j]))
                continue;
            crossing.push_back(j);
            if (figures[j].mType == figure.mType)
                group.push_back(j);
        }
        const bool sameItemCrossed = !group.empty();
        const float multiplier = sameItemCrossed ? 2.0f : 1.0f;
        group.push_back(i);
        for (size_t index : group) {
            const Figure& member = figures[index];
            const ItemRecord* item = lookup ? lookup(member.mType) : nullptr;
            ScoredFigure scored{member.mType,
                                item != nullptr ? item->mType : -1,
                                {member.mCentreColumn, member.mCentreRow},
                                member.mLength,
                                false};
            float price = item != nullptr ? static_cast<float>(item->mPrice) : 0.0f;
            if (item != nullptr && member.mType == specialItem) {
                price += kSpecialExtra + kSpecialShowExtra;
                scored.mSpecial = true;
            }
            float score = static_cast<float>(member.mLength - 2) * price * multiplier;
            if (doubled)
                score *= 2.0f;
            if (scored.mKind >= 0 && scored.mKind < 3)
                result.mKindBroken[static_cast<size_t>(scored.mKind)] = true;
            for (const CellPos& cell : member.mCells)
                records.push_back({scored.mKind, static_cast<int>(score), cell.mColumn, cell.mRow});
            result.mFigures.push_back(scored);
        }
        if (sameItemCrossed) {
            result.mCrossed = true;
            for (auto it = crossing.rbegin(); it != crossing.rend(); ++it)
                figures.erase(figures.begin() + static_cast<long>(*it));
        }
    }
    for (const ScoreRecord& record : records) {
        const bool seen = std::any_of(result.mRecords.begin(), result.mRecords.end(), [&](const ScoreRecord& kept) {
            return kept.mX == record.mX && kept.mY == record.mY;
        });
        if (!seen)
            result.mRecords.push_back(record);
    }
    return result;
}

} // namespace Game
