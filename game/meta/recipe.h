#pragma once
// One recipe of the recipe table: its name, the file of its text and the
// text's lines once read.

#include <string>
#include <vector>

namespace Game {

struct Recipe {
    std::string mName;
    std::string mFile;
    std::vector<std::string> mLines; // empty until first looked up
};

} // namespace Game
