#include "framework/app/texture_facts.h"

namespace Kavo {

std::string TextureFormatName(int32_t formatCode) {
    switch (formatCode) {
    case 1:
        return "A8R8G8B8";
    case 2:
        return "A4R4G4B4";
    case 4:
        return "R5G6B5";
    case 8:
        return "Palette8";
    default:
        return "";
    }
}

} // namespace Kavo
