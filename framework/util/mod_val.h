#pragma once
// Tweakable constants: a number or text written in the source as M(12),
// M1(0x10) … M9(…), M(-5), M(1.5f) or M("text") reads its compiled default
// until a developer re-reads the source files (ModValReparser); from then on
// it reads the value written on its line at that time.
//
// Each use of the macro is a site: a static record made of its tag text,
// "KAVOMODVAL" + source path + per-file counter + "," + line, and a pointer
// to its current value, allocated on first use and never freed. The linker
// gathers every site of the program into the section "kavo_modval", so the
// re-parse knows all sites of a file, used or not, without registering them
// at start-up.
//
// Built with KAVO_MODVAL=0 (the CMake option KAVO_MODVAL=OFF, for release
// builds) the macros are the bare defaults and no site exists.
//
// Main thread only.

#include <concepts>
#include <span>
#include <string>

namespace Kavo {

struct ModValRecord {
    bool valid = false; // false until a re-parse gave a value
    int intValue = 0;
    double floatValue = 0.0;
    std::string textValue;
};

// Constant-initialised so that the linker's section holds it ready, with no
// start-up code; 16 bytes and 16-aligned so that the section is a plain array.
struct alignas(16) ModValSite {
    const char* text;
    ModValRecord* record = nullptr;
};

class ModVal {
public:
    // The record's value when valid, else the default.
    static int GetInt(ModValSite& site, int compiledDefault);
    static double GetFloat(ModValSite& site, double compiledDefault);
    // The text stays valid until the next re-parse.
    static const char* GetString(ModValSite& site, const char* compiledDefault);

    // What the macros call: the result has the type of the default.
    template <std::integral T>
    static T Get(ModValSite& site, T compiledDefault) {
        return static_cast<T>(GetInt(site, static_cast<int>(compiledDefault)));
    }
    template <std::floating_point T>
    static T Get(ModValSite& site, T compiledDefault) {
        return static_cast<T>(GetFloat(site, static_cast<double>(compiledDefault)));
    }
    static const char* Get(ModValSite& site, const char* compiledDefault) { return GetString(site, compiledDefault); }

    // Gives the site its record when it has none yet; the record.
    static ModValRecord& InitSite(ModValSite& site);
};

inline constexpr char kModValTag[] = "KAVOMODVAL";

// Splits a site text into the source path and the trailing counter and line.
// False (path = the whole text after the tag) when the text does not end in
// digits "," digits after at least two other characters.
bool SplitModValSiteText(const char* text, std::string* path, int* counter, int* line);

// Every site compiled into the program.
std::span<ModValSite> ProgramModValSites();

} // namespace Kavo

#define KAVO_MODVAL_STRING2(x) #x
#define KAVO_MODVAL_STRING(x) KAVO_MODVAL_STRING2(x)

#if defined(KAVO_MODVAL) && KAVO_MODVAL

#define KAVO_MODVAL_SITE(value)                                                                                        \
    (::Kavo::ModVal::Get(                                                                                              \
        []() -> ::Kavo::ModValSite& {                                                                                  \
            [[gnu::section("kavo_modval"), gnu::used]] static ::Kavo::ModValSite site{                                 \
                "KAVOMODVAL" __FILE__ KAVO_MODVAL_STRING(__COUNTER__) "," KAVO_MODVAL_STRING(__LINE__)};               \
            return site;                                                                                               \
        }(),                                                                                                           \
        value))

#else

#define KAVO_MODVAL_SITE(value) (value)

#endif

#define M(value) KAVO_MODVAL_SITE(value)
#define M1(value) KAVO_MODVAL_SITE(value)
#define M2(value) KAVO_MODVAL_SITE(value)
#define M3(value) KAVO_MODVAL_SITE(value)
#define M4(value) KAVO_MODVAL_SITE(value)
#define M5(value) KAVO_MODVAL_SITE(value)
#define M6(value) KAVO_MODVAL_SITE(value)
#define M7(value) KAVO_MODVAL_SITE(value)
#define M8(value) KAVO_MODVAL_SITE(value)
#define M9(value) KAVO_MODVAL_SITE(value)
