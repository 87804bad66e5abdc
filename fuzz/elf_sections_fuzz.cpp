// Reads the section table of a program file, as the crash catcher does to
// place a code address.
#include <cstdlib>
#include <string_view>

#include "framework/app/elf_sections.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Kavo::ElfSections sections;
    const bool ok = sections.Read(std::string_view(reinterpret_cast<const char*>(data), size));
    // Success exactly when no error was given; a failure leaves no sections.
    if (ok == !sections.Error().empty() || (!ok && !sections.Sections().empty()))
        std::abort();
    for (const auto& section : sections.Sections())
        sections.Find(section.address);
    return 0;
}
