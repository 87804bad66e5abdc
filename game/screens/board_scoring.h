#pragma once
// The score of the figures of one break: per figure its price times its
// length beyond two, doubled when a figure of the same item crosses it, and
// one record per cell. Figures that crossed a scored one are not scored
// again, and a cell counts once.

#include <array>
#include <functional>
#include <vector>

#include "game/board/figure.h"

namespace Game {

struct ItemRecord;

// One cell's share of a break; x, y are the cell's column and row.
struct ScoreRecord {
    int mKind = 0;
    int mScore = 0;
    int mX = 0;
    int mY = 0;
    bool operator==(const ScoreRecord&) const = default;
};

// A figure that was scored, in scoring order.
struct ScoredFigure {
    int mItem = -1;
    int mKind = -1; // -1 for an item without a catalogue record
    CellPos mCentre;
    int mLength = 0;
    bool mSpecial = false;
};

struct BreakScore {
    // One per distinct cell, the first record of a cell kept.
    std::vector<ScoreRecord> mRecords;
    std::vector<ScoredFigure> mFigures;
    // Kinds 0-2 that a scored figure had.
    std::array<bool, 3> mKindBroken{};
    // A figure crossed one of its own item.
    bool mCrossed = false;
    int Total() const;
};

using ItemLookup = std::function<const ItemRecord*(int itemId)>;

// The special item counts its price + 1.2; an item the catalogue lacks
// scores 0 under kind -1, so it charges and feeds nothing.
BreakScore ScoreFigures(std::vector<Figure> figures, const ItemLookup& lookup, int specialItem, bool doubled);

bool FiguresCross(const Figure& a, const Figure& b);

} // namespace Game
