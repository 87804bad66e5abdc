#pragma once
// What the bonus tests share: the board fixture with the bonus pictures
// bound, the animation files the bonuses load in a work folder of their own,
// a listener that writes down what it is told and the board screen's
// highlight list.

#include "game/board/bonus.h"
#include "game/board/bonus_listener.h"
#include "game/ui/effect_list.h"
#include "tests/game/board/board_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace Game::Test {

class RecordingBonusListener : public BonusListener {
public:
    void OnBonusTaken(int index, BonusUseRecord*, int, int, int) override { Log("taken", index); }
    void OnBonusApply(int index) override { Log("apply", index); }
    void OnBonusArmed(int index, Kavo::Image*) override { Log("armed", index); }
    void OnBonusCancelled(int index) override { Log("cancelled", index); }
    void OnBonusReady(int index) override { Log("ready", index); }
    void CanUseAt(int, bool& ok, int, int) override { ok = true; }
    void SetBonusCursor(int, Kavo::Image* image, int variant) override {
        mCursor = image;
        mVariant = variant;
        ++mCursorCalls;
    }
    int Count(const std::string& what) const;

    std::vector<std::string> mCalls;
    Kavo::Image* mCursor = nullptr;
    int mVariant = -1;
    int mCursorCalls = 0;

private:
    void Log(const std::string& what, int index) { mCalls.push_back(what + " " + std::to_string(index)); }
};

class BonusFixture : public BoardFixture {
protected:
    static constexpr float kButtonX = 20;
    static constexpr float kButtonY = 300;

    BonusFixture();
    ~BonusFixture() override;

    // Shown, enabled, at (20, 300), reporting to mListener, aiming at mBoard
    // and mHighlights where it aims.
    template <class T>
    std::unique_ptr<T> Make() {
        auto bonus = std::make_unique<T>(nullptr);
        Prepare(*bonus);
        return bonus;
    }
    void Prepare(Bonus& bonus);
    // Fills the charge; the next update finds it charged (OnCharged runs).
    static void Charge(Bonus& bonus);
    // The cells lit in mHighlights, by column and row.
    std::vector<CellPos> Highlighted() const;
    // The pixel centre of a cell.
    int CellX(int column) const { return mBoard.ColumnToX(column, true); }
    int CellY(int row) const { return mBoard.RowToY(row, true); }

    RecordingBonusListener mListener;
    EffectList mHighlights{true};

private:
    std::string mPreviousFolder;
};

} // namespace Game::Test
