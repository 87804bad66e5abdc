#pragma once
// What the two catalogue readers share of their files: the "Main" section
// that names the categories, and the lookup of a category's number.

#include <map>
#include <string>

namespace Game {

class IniDocument;
class IniSection;

// The document's "Main" section, or null when it has none.
const IniSection* FindMainSection(IniDocument& document);

// The category's number, 0 for a name that is not listed.
int CategoryNumber(const std::map<std::string, int>& index, const std::string& name);

} // namespace Game
