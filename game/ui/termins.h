#pragma once
// The term table: every caption and message the game shows is a key into
// it. A key the table lacks shows as itself, so a missing entry is visible.

#include "platform/process_slot.h"

#include <map>
#include <memory>
#include <string>

namespace Game {

class Termins {
public:
    // Every key of every section goes into the one table; sections are
    // visited in the document's order, so of two sections that define one
    // key the later-sorting one wins. A file without sections changes nothing.
    void Load(const std::string& path);
    // The text of the key (compared exactly), or the key itself.
    std::string Get(const std::string& key) const;
    void Release() { mTexts.clear(); }
    size_t GetCount() const { return mTexts.size(); }

    // The table the application installed, or null before it did.
    static std::shared_ptr<Termins> Instance();
    // Get on the installed table; the key itself while none is installed.
    static std::string Lookup(const std::string& key);

private:
    std::map<std::string, std::string> mTexts;
};

platform::ProcessSlot<Termins>& TerminsSlot();

} // namespace Game
