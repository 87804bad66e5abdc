#include "game/effects/coin_effect.h"

#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/flyer.h"
#include "game/effects/trajectories.h"

#include <cmath>

namespace Game {

CoinEffect::CoinEffect(int x1, int y1, int x2, int y2, int count, EffectListener* listener) : mListener(listener) {
    mLayer = 0;
    mDone = x1 == x2 && y1 == y2;
    const float bow = std::hypot(static_cast<float>(x2 - x1), static_cast<float>(y2 - y1)) * 0.2f;
    for (int i = 0; i < count; ++i) {
        const int k = 10 + RandomIndex(30);
        Coin coin;
        coin.path = Trajectories::MakeArc(x1, y1, x2, y2, static_cast<float>(k) + bow);
        const float length = coin.path->mTotalLength;
        const float speed = RandomInRange(1.1, 1.3) * length * 0.5f;
        coin.flyer = MakeFlyer(coin.path.get(), x1, y1, length, speed, "data/coin.anim");
        coin.flyer->Restart();
        mCoins.push_back(std::move(coin));
    }
}

CoinEffect::~CoinEffect() = default;

void CoinEffect::Update() {
    if (mDone)
        return;
    for (size_t i = 0; i < mCoins.size();) {
        mCoins[i].flyer->Update();
        if (mCoins[i].flyer->IsFinished())
            mCoins.erase(mCoins.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    if (mCoins.empty()) {
        mDone = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
    }
}

void CoinEffect::Update(float t) {
    if (mDone)
        return;
    for (Coin& coin : mCoins)
        coin.flyer->Update(t);
}

void CoinEffect::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    for (Coin& coin : mCoins)
        coin.flyer->Draw(g);
}

} // namespace Game
