#pragma once
// Shows the primary surface through the video driver: the part of the
// primary that the window covers goes to that window, filling its client
// area.

#include "platform/surface/primary_presenter.h"

namespace platform {

class VideoDriverPresenter final : public PrimaryPresenter {
public:
    void PresentPrimary(const PrimaryFrame& frame) override;
};

} // namespace platform
