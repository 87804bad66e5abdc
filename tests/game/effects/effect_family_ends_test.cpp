// Every effect of the board's family, built from the sample content, ends in
// time, draws only in its own layer's pass and tells its listener once.
#include "game/board/board_tiles.h"
#include "game/effects/anim_effect.h"
#include "game/effects/banner_fade.h"
#include "game/effects/blink_coll_effect.h"
#include "game/effects/dust_effect.h"
#include "game/effects/effect_color_ring.h"
#include "game/effects/effect_flash.h"
#include "game/effects/effect_freeze_time.h"
#include "game/effects/effect_hint_arrows.h"
#include "game/effects/effect_hint_bonus.h"
#include "game/effects/effect_line_break.h"
#include "game/effects/effect_scale_item.h"
#include "game/effects/effect_tip_drift.h"
#include "game/effects/effect_twirl.h"
#include "game/effects/floating_number.h"
#include "game/effects/hint_marker.h"
#include "game/effects/item_fade_list.h"
#include "game/effects/reshuffle_effect.h"
#include "game/effects/score_effect.h"
#include "game/effects/tile_spread.h"
#include "game/ui/resource_ids.h"
#include "tests/game/effects/effect_family_fixture.h"

#include <memory>

namespace Game {
namespace {

class EffectFamilyEndsTest : public EffectFamilyTest {
protected:
    struct Entry {
        const char* name;
        std::function<std::unique_ptr<EffectBase>()> make;
        int bound = 1000;
    };

    // Plays a plain object through the adapter; `draw` paints it.
    template <typename T>
    static std::unique_ptr<EffectBase> Plain(std::shared_ptr<T> object, std::function<void(float)> updateF,
                                             std::function<void(Kavo::Graphics*)> draw) {
        auto effect = std::make_unique<PlainEffect>();
        effect->mUpdate = [object] { object->Update(); };
        effect->mUpdateF = std::move(updateF);
        effect->mDraw = std::move(draw);
        effect->mIsDone = [object] { return object->IsDone(); };
        return effect;
    }

    std::vector<Entry> Effects() {
        RecordingListener* listener = &mListener;
        Board* board = &mBoard;
        return {
            {"ScoreEffect",
             [] {
                 return std::make_unique<ScoreEffect>(EffectEvent{4, 0, 300, 300});
             }},
            {"FloatingNumber",
             [] {
                 return std::make_unique<FloatingNumber>(EffectEvent{0, 75, 300, 300});
             }},
            {"DustEffect",
             [] {
                 return std::make_unique<DustEffect>(EffectEvent{2, 0, 300, 300});
             }},
            {"ChainDustEffect", [] { return std::make_unique<ChainDustEffect>(300, 300); }},
            {"EffectTipDrift",
             [] {
                 return std::make_unique<EffectTipDrift>(EffectEvent{1, 0, 300, 300});
             }},
            {"EffectTwirl", [] { return std::make_unique<EffectTwirl>(300, 300, 1); }},
            {"EffectColorRing",
             [listener] {
                 return std::make_unique<EffectColorRing>(std::vector<std::pair<int, int>>{{300, 300}}, listener);
             }},
            {"EffectFlash",
             [] {
                 return std::make_unique<EffectFlash>(EffectEvent{3, 0, 300, 300});
             }},
            {"EffectLineBreak",
             [] {
                 auto toast = std::make_unique<EffectLineBreak>();
                 toast->Start(300, 500, 250, 800);
                 return toast;
             }},
            {"BlinkCollEffect", [board] { return std::make_unique<BlinkCollEffect>(*board); }},
            {"EffectScaleItem", [board, listener] { return std::make_unique<EffectScaleItem>(*board, listener); }},
            {"TileSpread",
             [this] {
                 auto spread = std::make_shared<TileSpread>(mTiles);
                 return Plain(
                     spread, [spread](float t) { spread->Move(t); }, [spread](Kavo::Graphics* g) { spread->Draw(g); });
             }},
            {"ReshuffleEffect",
             [board, listener] {
                 auto reshuffle = std::make_shared<ReshuffleEffect>(*board, listener);
                 return Plain(
                     reshuffle, [](float) {}, [reshuffle](Kavo::Graphics* g) { reshuffle->Draw(g); });
             }},
            {"ItemFadeList",
             [board, listener] {
                 auto list = std::make_shared<ItemFadeList>();
                 list->Add(*board, 0, 0, listener);
                 auto effect = std::make_unique<PlainEffect>();
                 effect->mUpdate = [list] { list->Update(); };
                 effect->mDraw = [list](Kavo::Graphics* g) { list->Draw(g); };
                 effect->mIsDone = [list] { return list->IsFinished(); };
                 return effect;
             }},
            {"AnimEffect", [] { return std::make_unique<AnimEffect>(300, 300, IMAGE_BREAD, 5, 50, true, 3); }},
            {"HintMarker",
             [] {
                 auto marker = std::make_shared<HintMarker>(227, 153, 277, 153);
                 return Plain(
                     marker, [](float) {}, [marker](Kavo::Graphics* g) { marker->Draw(g, 200); });
             }},
            {"EffectHintArrows",
             [board] {
                 auto arrows = std::make_unique<EffectHintArrows>();
                 arrows->SetMoves(board->mMoves);
                 return arrows;
             },
             2200},
            {"EffectHintBonus",
             [listener] { return std::make_unique<EffectHintBonus>(400, 300, 0, 0, std::vector<Move>{}, listener); }},
            {"EffectFreezeTime",
             [listener] { return std::make_unique<EffectFreezeTime>(500, 60, 300, 400, 520, 60, listener, 0); }},
            {"EffectFade",
             [listener] { return std::make_unique<EffectFade>(IMAGE_LEVEL_COMPLETE, 512, 300, 70, listener, 100); }},
        };
    }

    BoardTiles mTiles;
};

TEST_F(EffectFamilyEndsTest, EveryEffectEndsDrawsInItsLayerAndReportsOnce) {
    SetBoard({"0 1 2 0 1", "1 2 0 1 2", "0 . 2 0 1", "2 0 1 2 0"});
    Move across;
    across.mColumn1 = 0;
    across.mColumn2 = 1;
    across.mX1 = mBoard.ColumnToX(0, true);
    across.mX2 = mBoard.ColumnToX(1, true);
    across.mY1 = across.mY2 = mBoard.RowToY(0, true);
    Move down = across;
    down.mColumn2 = 0;
    down.mRow2 = 1;
    down.mX2 = across.mX1;
    down.mY2 = mBoard.RowToY(1, true);
    Move apart = across;
    apart.mRow1 = apart.mRow2 = 3;
    apart.mY1 = apart.mY2 = mBoard.RowToY(3, true);
    mBoard.mMoves = {across, down, apart};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column)
            mTiles.Tile(column, row).mExists = true;
    for (const Entry& entry : Effects()) {
        SCOPED_TRACE(entry.name);
        mListener.mCalls.clear();
        std::unique_ptr<EffectBase> effect = entry.make();
        for (int update = 1; update <= 5; ++update)
            Step(*effect, update, &mListener);
        Kavo::Graphics g(&mScreen);
        ClearScreen();
        if (effect->mLayer == 0)
            effect->DrawOverlay(&g);
        else
            effect->Draw(&g);
        EXPECT_TRUE(ScreenIsClear()) << "drawn in the other layer's pass";

        EXPECT_GT(RunEffect(*effect, entry.bound), 0);
        EXPECT_LE(mListener.Count('F'), 1);
        EXPECT_LE(mListener.Count('M'), 1);
    }
}

TEST_F(EffectFamilyEndsTest, TipArrowAndEndlessBlinksNeverEnd) {
    TipArrow arrow(227, 153, 227, 203);
    EXPECT_EQ(arrow.mAxis, 1);
    AnimEffect endless(300, 300, IMAGE_BREAD, 0, 50, false, 0);
    for (int update = 1; update <= 5000; ++update) {
        arrow.Update();
        Step(endless, update);
    }
    EXPECT_FALSE(endless.IsDone());
    EXPECT_GE(arrow.mScale[1], 0.89f);
    EXPECT_LE(arrow.mScale[1], 1.11f);
}

} // namespace
} // namespace Game
