#pragma once
// Reads the values of a source file's tweakable constants out of its text.

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "framework/util/mod_val.h"

namespace Kavo {

// A site of the file with the line it was compiled from.
struct ModValSiteLine {
    ModValSite* site = nullptr;
    int line = 0;
    int counter = 0;
};

// Scans `text` line by line, skipping quoted texts and comments, and gives
// each site in `sites` (ordered by line, then counter) the value written
// after the M( or Mn( that stands on its line, in order. A site whose line
// holds no such macro keeps its value. Identifiers are looked up in
// `namedConstants`. On the first fault stops with the message in *error
// ("ERROR in <path> on line <n>…") and returns false; values stored before
// it stay.
bool ParseModValSource(std::string_view path, std::string_view text, std::span<const ModValSiteLine> sites,
                       const std::map<std::string, int>& namedConstants, std::string* error);

} // namespace Kavo
