#pragma once
// The game's own effects at the board screen's moments: the tile spread,
// the items' scale-in, the "go" banner, the hint marker, the tip arrow, the
// chain dust and the blink wave.

#include "game/screens/board_effect_maker.h"

namespace Game {

class GameBoardEffects : public BoardEffectMaker {
public:
    std::unique_ptr<EffectBase> MakeTileSpread(BoardTiles& tiles) override;
    std::unique_ptr<EffectBase> MakeItemScaleIn(Board& board, Done done) override;
    std::unique_ptr<EffectBase> MakeStartBanner(float x, float y, Done done) override;
    std::unique_ptr<EffectBase> MakeHintMarker(const Move& move) override;
    std::unique_ptr<EffectBase> MakeTipArrow(const Move& move) override;
    std::unique_ptr<EffectBase> MakeChainDust(int x, int y) override;
    std::unique_ptr<EffectBase> MakeBlink(Board& board) override;

    // The banner stays this many updates before it grows and fades out over
    // as many more.
    static constexpr int kBannerHold = 70;
};

} // namespace Game
