#pragma once
// The row of postcard thumbnails on the map, one per postcard the player
// owns (item list 3 of the record, by recipe name). A greyed one opens its
// picture puzzle; a solved one flies its postcard to the window's centre
// and shows it as a card that turns over to the recipe on a click. The
// card goes 29 updates after the pointer has left it.

#include "framework/widget/dialog_listener.h"
#include "game/effects/effect_listener.h"
#include "game/meta/post_thumb.h"

#include <memory>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class FlipCard;
class OverlayListener;

class PostPanel : public PostThumbListener, public Kavo::DialogListener, public EffectListener {
public:
    static constexpr int kPostcardList = 3;
    static constexpr int kPuzzleDialog = 6;
    static constexpr int kCardLinger = 30; // updates the card outlasts the pointer, less one

    PostPanel();
    ~PostPanel() override;

    // A thumbnail for each of the record's postcards, placed by
    // "PostRects" relative to the origin (x, y); no card, none selected.
    void Rebuild(int x, int y);
    // True when the panel takes the move or the click.
    bool MouseMove(int x, int y);
    bool MouseDown(int x, int y, int clickCount);
    void Update();
    void UpdateF(float f);
    void Draw(Kavo::Graphics* g);

    void OnThumbArrived(PostThumb* thumb) override;
    // The puzzle's result: 1 solved, 2 skipped.
    void DialogButtonRelease(int32_t dialogId, int32_t button) override;
    // The card starts a turn.
    void OnEffectMiddle(EffectBase* effect, float x, float y) override;

    OverlayListener* mOverlayListener = nullptr;
    const std::vector<std::unique_ptr<PostThumb>>& GetThumbs() const { return mThumbs; }
    PostThumb* GetSelected() const { return mSelected; }
    FlipCard* GetCard() const { return mCard.get(); }
    int GetCountdown() const { return mCountdown; }

private:
    void OpenPuzzle(PostThumb& thumb);
    void SetCursor(bool hand);

    std::vector<std::unique_ptr<PostThumb>> mThumbs;
    PostThumb* mSelected = nullptr;
    std::unique_ptr<FlipCard> mCard;
    int mCountdown = 0;
};

} // namespace Game
