#pragma once
// One postcard thumbnail of the map's post panel: normal once its picture
// puzzle is solved, greyed before. A solved one can fly its postcard from
// the thumbnail to the window's centre, growing from 40 pixels across to
// full size, and back again.

#include "framework/util/lazy_transform.h"
#include "framework/util/rect.h"
#include "game/ui/held_image.h"
#include "game/ui/image_sprite.h"

#include <memory>

namespace Kavo {
class Graphics;
class Image;
class MemoryImage;
} // namespace Kavo

namespace Game {

class PostThumb;
struct SecretMapEntry;

class PostThumbListener {
public:
    virtual ~PostThumbListener() = default;
    // The postcard reached the centre at full size.
    virtual void OnThumbArrived(PostThumb* thumb) = 0;
    // The postcard is back at its thumbnail; its pictures are freed.
    virtual void OnThumbReturned(PostThumb* /*thumb*/) {}
};

class PostThumb {
public:
    enum Flight { kToCentre = 0, kBack = 1, kAtRest = 2 };
    static constexpr float kStartSize = 40.0f; // pixels across when the flight starts
    static constexpr float kStepShare = 0.02f; // a flight takes 50 updates

    // `map` (not owned, null allowed) gives the postcard picture and the
    // recipe; `rect` is the thumbnail's place in IMAGE_POSTTUMB and
    // IMAGE_POSTTUMBDISABLED.
    PostThumb(const SecretMapEntry* map, int index, const Kavo::IntRect& rect);
    ~PostThumb();
    PostThumb(const PostThumb&) = delete;
    PostThumb& operator=(const PostThumb&) = delete;

    // Centres the thumbnail on (x, y), its home; the flight's target is
    // (targetX, targetY).
    void Place(int x, int y, float targetX, float targetY);
    bool Contains(int x, int y) const;

    // Loads the postcard picture and makes its back with the recipe.
    void BuildCardImages();
    // From the thumbnail towards the target; false (nothing flies) while
    // there is no front picture to grow.
    bool StartFlight();
    // Turns a flight to the centre round towards home.
    void SendBack();

    void Update();
    void UpdateF(float f);
    // The thumbnail, and once more additively while hovered.
    void Draw(Kavo::Graphics* g);
    // The flying postcard, while it flies.
    void DrawFlight(Kavo::Graphics* g);

    const SecretMapEntry* GetMap() const { return mMap; }
    Kavo::Image* GetFront() const { return mFront.Get(); }
    Kavo::Image* GetBack() const;

    bool mHovered = false;
    bool mGreyed = false;
    PostThumbListener* mListener = nullptr;
    int mState = kAtRest;
    float mScale = 1.0f;
    float mStartScale = 1.0f;
    float mScaleStep = 0;
    float mSpeed = 0;
    Kavo::LazyTransform mTransform;
    int mX = 0; // the thumbnail's centre
    int mY = 0;
    // Where it flies to, where it returns to and where it is. A plain pair:
    // the layout dialog's header has a Normalize2D of its own.
    struct Spot {
        float x = 0;
        float y = 0;
    };
    Spot mTarget;
    Spot mHome;
    Spot mCurrent;
    int mIndex = 0;
    Kavo::IntRect mRect;

private:
    void ReleaseCardImages();
    float DistanceTo(const Spot& point) const;

    const SecretMapEntry* mMap;
    HeldImage mFront;
    std::unique_ptr<Kavo::MemoryImage> mBack;
    ImageSprite mNormal;
    ImageSprite mGreyedSprite;
};

} // namespace Game
