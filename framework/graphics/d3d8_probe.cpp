#include "framework/graphics/d3d8_probe.h"

namespace Kavo {

bool ProbeDirect3D8(AdapterGuid&, std::string&, std::string&) {
    return false;
}

bool ReleaseDirect3D8Probe() {
    AdapterGuid guid{};
    std::string driver;
    std::string description;
    return ProbeDirect3D8(guid, driver, description);
}

} // namespace Kavo
