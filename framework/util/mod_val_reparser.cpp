#include "framework/util/mod_val_reparser.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/message_box.h"

namespace Kavo {
namespace {

std::vector<ModValSite*> AllProgramSites() {
    std::vector<ModValSite*> sites;
    for (ModValSite& site : ProgramModValSites()) {
        if (site.text != nullptr) // the linker pads with zeros, should it pad
            sites.push_back(&site);
    }
    return sites;
}

} // namespace

ModValReparser::ModValReparser() : ModValReparser(AllProgramSites()) {}

ModValReparser::ModValReparser(std::vector<ModValSite*> sites) : mSites(std::move(sites)) {}

bool ModValReparser::SourceFile::IsUsed() const {
    return std::any_of(sites.begin(), sites.end(), [](const ModValSiteLine& s) { return s.site->record != nullptr; });
}

void ModValReparser::RegisterSites() {
    for (ModValSite* site : mSites) {
        std::string path;
        ModValSiteLine entry{site, 0, 0};
        if (SplitModValSiteText(site->text, &path, &entry.counter, &entry.line))
            mFiles[path].sites.push_back(entry);
    }
    for (auto& [path, file] : mFiles) {
        std::sort(file.sites.begin(), file.sites.end(), [](const ModValSiteLine& a, const ModValSiteLine& b) {
            return a.line != b.line ? a.line < b.line : a.counter < b.counter;
        });
    }
}

bool ModValReparser::Reparse() {
    if (!mRegistered) {
        // Sources older than the program were compiled into it already.
        mNewestFileTime = platform::GetFileWriteTime(platform::GetExecutablePath());
        RegisterSites();
        mRegistered = true;
    }
    bool changed = false;
    std::string parsedFiles;
    for (const auto& [path, file] : mFiles) {
        if (!file.IsUsed())
            continue;
        const std::int64_t fileTime = platform::GetFileWriteTime(path);
        if (fileTime > mNewestFileTime) {
            changed = true;
            mNewestFileTime = fileTime;
        }
        if (!parsedFiles.empty())
            parsedFiles += "\r\n  ";
        parsedFiles += path;

        std::string text;
        if (!platform::ReadWholeFile(path, text)) {
            platform::ShowMessageBox(nullptr, "ERROR: Unable to open " + path + " for reparsing.", "MODVAL ERROR!",
                                     platform::kMbIconError);
            return false;
        }
        std::string error;
        if (!ParseModValSource(path, text, file.sites, mNamedConstants, &error)) {
            platform::ShowMessageBox(nullptr, error, "MODVAL ERROR", platform::kMbIconError);
            return false;
        }
    }
    if (!changed) {
        platform::ShowMessageBox(nullptr,
                                 "WARNING: No file changes detected.  Files parsed: \r\n   " +
                                     (parsedFiles.empty() ? std::string("none") : parsedFiles),
                                 "MODVAL WARNING!", platform::kMbIconWarning);
    }
    return true;
}

} // namespace Kavo
