#pragma once

namespace Game {

// Whether the application draws with hardware 3D (false with no application).
bool UsesHardware3D();

} // namespace Game
