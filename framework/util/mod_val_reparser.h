#pragma once
// The developer's re-read of the tweakable constants (framework/util/
// mod_val.h): parses again every source file that holds a site in use and
// gives the sites the values now written there. Faults and the "nothing
// changed" warning are shown in message boxes.
//
// Main thread only.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/util/mod_val_parser.h"

namespace Kavo {

class ModValReparser {
public:
    // Over every site of the program.
    ModValReparser();
    // Over the given sites only (they must outlive the reparser).
    explicit ModValReparser(std::vector<ModValSite*> sites);

    // True when every file was read and parsed, with or without changes.
    bool Reparse();

    // An identifier that a value may name (none are defined by default).
    void SetNamedConstant(const std::string& name, int value) { mNamedConstants[name] = value; }

private:
    struct SourceFile {
        std::vector<ModValSiteLine> sites; // by line, then counter
        bool IsUsed() const;
    };

    void RegisterSites();

    std::vector<ModValSite*> mSites;
    bool mRegistered = false;
    std::map<std::string, SourceFile> mFiles; // by source path
    std::map<std::string, int> mNamedConstants;
    std::int64_t mNewestFileTime = 0;
};

} // namespace Kavo
