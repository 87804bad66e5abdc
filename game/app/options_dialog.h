#pragma once
// Music and effects volume, 3D acceleration and full screen.

#include <cstdint>
#include <string>

#include "game/ui/layout_dialog.h"

namespace Kavo {
class Checkbox;
class Slider;
} // namespace Kavo

namespace Game {

class OptionsDialog : public LayoutDialog {
public:
    static constexpr int32_t kMusicSlider = 1;
    static constexpr int32_t kEffectSlider = 2;
    static constexpr int32_t k3DBox = 1;
    static constexpr int32_t kFullScreenBox = 2;

    explicit OptionsDialog(const std::string& layoutFile, int32_t id = 0);

    void SliderVal(int32_t id, double value) override;
    void ButtonDepress(int32_t buttonId) override;
    void CheckboxChecked(int32_t id, bool checked) override { CheckboxCheck(id, checked); }
    void CheckboxCheck(int32_t id, bool checked);

    Kavo::Slider* mMusicVolume = nullptr;
    Kavo::Slider* mEffectVolume = nullptr;
    Kavo::Checkbox* m3DMode = nullptr;
    Kavo::Checkbox* mFullScreen = nullptr;
};

} // namespace Game
