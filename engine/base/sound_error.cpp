#include "engine/base/sound_error.h"

namespace {

// Index = code; code 24 has no text of its own.
const char* const kTexts[] = {
    nullptr,
    "Error creating direct sound",
    "Error setting cooperative level",
    "Error creating primary buffer",
    "Error setting primary buffer format",
    "Error creating  listener",
    "Bad file format",
    "Bad params",
    "Bad initialization",
    "Bad file data",
    "Error restoring buffer",
    "Error locking buffer",
    "Error reading buffer",
    "Error reseting file",
    "Error parsing file",
    "Error reding file",
    "Error getting status",
    "Error getting free buffer",
    "Error filling buffer",
    "Out from memory",
    "Error  duplicating sound buffer",
    "Error getting current position",
    "Error creating sound buffer",
    "Error quering interface",
    nullptr,
    "Error getting 3D buffer interface",
    "Error setting cone orientation",
    "Error setting position",
    "Error setting listener parameters",
    "Error setting volume",
    "Error setting current position",
    "Error stopping sound",
    "Error playing sound",
};

} // namespace

const char* errSnd_e::Text(std::int32_t code) {
    constexpr std::int32_t count = sizeof kTexts / sizeof kTexts[0];
    if (code < 0 || code >= count || kTexts[code] == nullptr)
        return "Sond unknown errror";
    return kTexts[code];
}
