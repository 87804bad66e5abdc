// Re-reads tweakable constants out of a source text, as the developer key
// does with the program's source files.
#include <map>
#include <string>
#include <string_view>

#include "framework/util/mod_val_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Sites on the first lines, two of them sharing a line; their records
    // stay reachable from these statics from one run to the next.
    static Kavo::ModValSite sites[8] = {{"s"}, {"s"}, {"s"}, {"s"}, {"s"}, {"s"}, {"s"}, {"s"}};
    static const Kavo::ModValSiteLine lines[8] = {{&sites[0], 1, 0}, {&sites[1], 1, 1}, {&sites[2], 2, 2},
                                                  {&sites[3], 3, 3}, {&sites[4], 4, 4}, {&sites[5], 5, 5},
                                                  {&sites[6], 6, 6}, {&sites[7], 8, 7}};
    static const std::map<std::string, int> named = {{"kNamed", 3}};
    std::string error;
    Kavo::ParseModValSource("fuzz.cpp", std::string_view(reinterpret_cast<const char*>(data), size), lines, named,
                            &error);
    return 0;
}
