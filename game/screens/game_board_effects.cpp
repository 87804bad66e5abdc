#include "game/screens/game_board_effects.h"

#include <functional>

#include "game/board/board.h"
#include "game/board/board_move.h"
#include "game/effects/banner_fade.h"
#include "game/effects/blink_coll_effect.h"
#include "game/effects/dust_effect.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_scale_item.h"
#include "game/effects/hint_marker.h"
#include "game/effects/tile_spread.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

// An effect that reports its end to a listener, made with this as the
// listener: the end becomes a call.
class ListenedEffect : public EffectBase, private EffectListener {
public:
    using Make = std::function<std::unique_ptr<EffectBase>(EffectListener*)>;
    ListenedEffect(BoardEffectMaker::Done done, const Make& make) : mDoneCall(std::move(done)), mInner(make(this)) {}

    void Draw(Kavo::Graphics* g) override { mInner->Draw(g); }
    void DrawOverlay(Kavo::Graphics* g) override { mInner->DrawOverlay(g); }
    void Update() override { mInner->Update(); }
    void Update(float t) override { mInner->Update(t); }
    bool IsDone() override { return mInner->IsDone(); }

private:
    void OnEffectFinished(EffectBase*) override {
        if (mDoneCall)
            mDoneCall();
    }

    BoardEffectMaker::Done mDoneCall;
    std::unique_ptr<EffectBase> mInner;
};

// The tile spread: faded in per update, moved per frame.
class SpreadEffect : public EffectBase {
public:
    explicit SpreadEffect(const BoardTiles& tiles) : mSpread(tiles) {}
    void Draw(Kavo::Graphics* g) override { mSpread.Draw(g); }
    void Update() override { mSpread.Update(); }
    void Update(float t) override { mSpread.Move(t); }
    bool IsDone() override { return mSpread.IsDone(); }

private:
    TileSpread mSpread;
};

class HintMarkerEffect : public EffectBase {
public:
    HintMarkerEffect(int x1, int y1, int x2, int y2) : mMarker(x1, y1, x2, y2) {}
    void Draw(Kavo::Graphics* g) override { mMarker.Draw(g, 255); }
    void Update() override { mMarker.Update(); }
    bool IsDone() override { return mMarker.IsDone(); }

private:
    HintMarker mMarker;
};

// Pulses per frame until its owner deletes it.
class TipArrowEffect : public EffectBase {
public:
    TipArrowEffect(int x1, int y1, int x2, int y2) : mArrow(x1, y1, x2, y2) {}
    void Draw(Kavo::Graphics* g) override { mArrow.Draw(g); }
    void Update(float) override { mArrow.Update(); }

private:
    TipArrow mArrow;
};

} // namespace

std::unique_ptr<EffectBase> GameBoardEffects::MakeTileSpread(BoardTiles& tiles) {
    return std::make_unique<SpreadEffect>(tiles);
}

std::unique_ptr<EffectBase> GameBoardEffects::MakeItemScaleIn(Board& board, Done done) {
    return std::make_unique<ListenedEffect>(std::move(done), [&board](EffectListener* listener) {
        return std::make_unique<EffectScaleItem>(board, listener);
    });
}

std::unique_ptr<EffectBase> GameBoardEffects::MakeStartBanner(float x, float y, Done done) {
    return std::make_unique<ListenedEffect>(std::move(done), [x, y](EffectListener* listener) {
        return std::make_unique<EffectFade>(IMAGE_GO, static_cast<int>(x), static_cast<int>(y), kBannerHold, listener,
                                            static_cast<float>(kBannerHold));
    });
}

// The markers are drawn centred between the two cells' centres, which the
// move records: so they lie on both cells.
std::unique_ptr<EffectBase> GameBoardEffects::MakeHintMarker(const Move& move) {
    return std::make_unique<HintMarkerEffect>(move.mX1, move.mY1, move.mX2, move.mY2);
}

std::unique_ptr<EffectBase> GameBoardEffects::MakeTipArrow(const Move& move) {
    return std::make_unique<TipArrowEffect>(move.mX1, move.mY1, move.mX2, move.mY2);
}

std::unique_ptr<EffectBase> GameBoardEffects::MakeChainDust(int x, int y) {
    return std::make_unique<ChainDustEffect>(x, y);
}

std::unique_ptr<EffectBase> GameBoardEffects::MakeBlink(Board& board) {
    return std::make_unique<BlinkCollEffect>(board);
}

} // namespace Game
