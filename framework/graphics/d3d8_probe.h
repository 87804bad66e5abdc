#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Kavo {

using AdapterGuid = std::array<uint8_t, 16>;

// Asks the older 3D interface for the display adapter's identity. This
// platform has none, so the answer is always false and the outputs are left
// as they were; the 3D test then identifies the adapter by other means.
bool ProbeDirect3D8(AdapterGuid& guid, std::string& driver, std::string& description);

// Runs the probe once with throw-away outputs and releases what it held.
bool ReleaseDirect3D8Probe();

} // namespace Kavo
