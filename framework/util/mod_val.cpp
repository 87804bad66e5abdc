#include "framework/util/mod_val.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace Kavo {

ModValRecord& ModVal::InitSite(ModValSite& site) {
    if (site.record == nullptr)
        site.record = new ModValRecord; // lives as long as the program, like the site
    return *site.record;
}

int ModVal::GetInt(ModValSite& site, int compiledDefault) {
    const ModValRecord& record = InitSite(site);
    return record.valid ? record.intValue : compiledDefault;
}

double ModVal::GetFloat(ModValSite& site, double compiledDefault) {
    const ModValRecord& record = InitSite(site);
    return record.valid ? record.floatValue : compiledDefault;
}

const char* ModVal::GetString(ModValSite& site, const char* compiledDefault) {
    const ModValRecord& record = InitSite(site);
    return record.valid ? record.textValue.c_str() : compiledDefault;
}

bool SplitModValSiteText(const char* text, std::string* path, int* counter, int* line) {
    const std::size_t tagLength = sizeof(kModValTag) - 1;
    const char* rest = std::strncmp(text, kModValTag, tagLength) == 0 ? text + tagLength : text;
    const std::size_t length = std::strlen(rest);
    *path = rest;
    *counter = 0;
    *line = 0;
    auto isDigit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(rest[i])) != 0; };
    std::size_t end = length; // the numbers are rest[numbers, length)
    while (end > 0 && isDigit(end - 1))
        --end;
    if (end == length || end == 0 || rest[end - 1] != ',')
        return false;
    std::size_t numbers = end - 1;
    while (numbers > 0 && isDigit(numbers - 1))
        --numbers;
    // The character before the numbers is neither the first nor the last one.
    if (numbers == end - 1 || numbers < 2)
        return false;
    if (std::sscanf(rest + numbers, "%d,%d", counter, line) != 2)
        return false;
    path->assign(rest, numbers);
    return true;
}

} // namespace Kavo

// Bounds of the section the linker builds from every site; weak, so that a
// program without sites links and sees an empty list.
extern "C" {
extern Kavo::ModValSite __start_kavo_modval[] __attribute__((weak, visibility("hidden")));
extern Kavo::ModValSite __stop_kavo_modval[] __attribute__((weak, visibility("hidden")));
}

namespace Kavo {

std::span<ModValSite> ProgramModValSites() {
    if (__start_kavo_modval == nullptr || __stop_kavo_modval == nullptr)
        return {};
    return {__start_kavo_modval, __stop_kavo_modval};
}

} // namespace Kavo
