#pragma once
// The process-wide source of display objects: the settings they are made
// from, where the primary's pixels are presented, the optional beam, the
// injected failures and the counts of live objects. The application (or a
// test) installs one with Installed<DisplayEnvironment>; without one, no
// display can be created.

#include <atomic>
#include <memory>

#include "platform/process_slot.h"
#include "platform/surface/display_settings.h"
#include "platform/surface/fault_table.h"
#include "platform/surface/primary_presenter.h"
#include "platform/surface/scan_beam.h"

namespace platform {

// Objects of the layer alive right now (created and not yet destroyed).
struct LiveObjectCounts {
    std::atomic<int> displays{0};
    std::atomic<int> surfaces{0};
    std::atomic<int> clippers{0};
    std::atomic<int> palettes{0};
};

struct DisplayEnvironment {
    DisplaySettings settings;
    std::shared_ptr<PrimaryPresenter> presenter; // may be null: nothing is shown
    std::shared_ptr<ScanBeam> beam;              // null: the scan line is unsupported
    std::shared_ptr<FaultTable> faults = std::make_shared<FaultTable>();
    std::shared_ptr<LiveObjectCounts> live = std::make_shared<LiveObjectCounts>();
};

ProcessSlot<DisplayEnvironment>& DisplayEnvironmentSlot();

} // namespace platform
