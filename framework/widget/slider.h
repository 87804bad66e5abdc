#pragma once

#include <cstdint>

#include "framework/widget/widget.h"

namespace Kavo {

class Image;
class SliderListener;

// A track with a thumb holding a value from 0.0 to 1.0. A press on the thumb
// grabs it; a press elsewhere on the track moves the thumb there. Drags report
// every change and the release reports the value once more.
class Slider : public Widget {
public:
    Slider(Image* trackImage, Image* thumbImage, int32_t id, SliderListener* listener);

    // Clamped to 0.0 .. 1.0; the listener is not told.
    virtual void SetValue(double value);

    void Draw(Graphics* g) override;
    void MouseLeave() override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void MouseUpAt(int32_t x, int32_t y) override;
    void MouseDrag(int32_t x, int32_t y) override;

    SliderListener* mListener;
    double mValue = 0.0;
    int32_t mId;
    Image* mTrackImage;
    Image* mThumbImage;
    bool mDragging = false;
    int32_t mRelX = 0; // where inside the thumb it was grabbed
    int32_t mRelY = 0;
    bool mHorizontal = true;

private:
    int32_t ThumbWidth() const;
    int32_t ThumbHeight() const;
    int32_t ThumbX() const;
    int32_t ThumbY() const;
    // Whether the position lies on the thumb along the track's axis.
    bool OnThumb(int32_t x, int32_t y) const;
    void SetCursor(int32_t state);
    void DrawTrack(Graphics* g);
};

} // namespace Kavo
