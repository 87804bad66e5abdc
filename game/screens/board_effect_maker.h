#pragma once
// The effects the board screen starts at fixed moments of a stage, made by
// the game's effects (GameBoardEffects) or stood in for. A maker that makes
// none (null) lets the moment pass at once: no tile spread ends the spread on
// the next update, no scale-in settles the board at once, no start banner
// shows the start tips at once.

#include <functional>
#include <memory>

namespace Game {

class Board;
class BoardTiles;
class EffectBase;
struct Move;

class BoardEffectMaker {
public:
    using Done = std::function<void()>;

    virtual ~BoardEffectMaker() = default;
    // The tiles sliding in; reports IsDone when they are in place.
    virtual std::unique_ptr<EffectBase> MakeTileSpread(BoardTiles& tiles) = 0;
    // The items growing into place; calls `done` at its end.
    virtual std::unique_ptr<EffectBase> MakeItemScaleIn(Board& board, Done done) = 0;
    // The "go" banner at the board's centre; calls `done` at its end.
    virtual std::unique_ptr<EffectBase> MakeStartBanner(float x, float y, Done done) = 0;
    // The marker between the two cells of a hinted move.
    virtual std::unique_ptr<EffectBase> MakeHintMarker(const Move& move) = 0;
    // The arrow of the first tip between the two cells of a move.
    virtual std::unique_ptr<EffectBase> MakeTipArrow(const Move& move) = 0;
    // Dust over a chained (or secret) cell's centre.
    virtual std::unique_ptr<EffectBase> MakeChainDust(int x, int y) = 0;
    // The light that now and then runs over the board (3D only).
    virtual std::unique_ptr<EffectBase> MakeBlink(Board& board) = 0;
};

} // namespace Game
