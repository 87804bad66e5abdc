#pragma once
// The board screen's board as the profile sees it: its saved block and the
// number of board layouts installed.

#include "game/ui/profile_services.h"

namespace Game {

class Board;

class BoardProfileAdapter : public ProfileBoard {
public:
    explicit BoardProfileAdapter(Board& board) : mBoard(board) {}
    void Save(Kavo::Buffer& buffer) override;
    bool Load(Kavo::Buffer& buffer) override;
    int LayoutCount() const override;

private:
    Board& mBoard;
};

} // namespace Game
