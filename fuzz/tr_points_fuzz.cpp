// Reads the "Points" text of a trajectory line (the first byte picks the
// kind), moves along it and writes it back: reading the written text must
// write it again unchanged.
#include "game/effects/tr_line.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int kind = data[0] % 4;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::unique_ptr<Game::TrLine> line(Game::CreateTrLine(kind));
    line->Load(text.c_str());
    for (float t : {0.0f, 0.25f, 0.999f, -1.5f, 3.0f})
        line->SetT(t, true);
    line->HitTest(line->mX, line->mY);
    std::string written;
    line->ToString(written);
    std::unique_ptr<Game::TrLine> again(Game::CreateTrLine(kind));
    again->Load(written);
    std::string rewritten;
    again->ToString(rewritten);
    if (rewritten != written)
        std::abort();
    return 0;
}
