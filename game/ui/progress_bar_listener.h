#pragma once

namespace Game {

class ProgressBar;

// Told by a progress bar when its shown value has arrived at its target.
class ProgressBarListener {
public:
    virtual ~ProgressBarListener() = default;
    virtual void OnBarReached(ProgressBar* bar) = 0;
};

} // namespace Game
