#pragma once
// The game's application with its message boxes answered from a script
// instead of waiting for a click (no answer left: "no"), and closing only
// noted.

#include "game/app/game_app.h"

#include <deque>
#include <vector>

namespace Game {

class ScriptedGameApp : public GameApp {
public:
    using GameApp::GameApp;
    bool ShowMessage(int messageId) override {
        mShown.push_back(messageId);
        if (mAnswers.empty())
            return false;
        const bool answer = mAnswers.front();
        mAnswers.pop_front();
        return answer;
    }
    void CloseApp() override { mClosed = true; }

    std::vector<int> mShown;
    std::deque<bool> mAnswers;
    bool mClosed = false;
};

} // namespace Game
