// Reads a web server's answer as the transfer does: status line, headers and
// a sized, chunked or open-ended body, arriving in pieces. The first byte
// sets the piece size, so that every way of splitting the bytes is tried.
#include <cstdlib>
#include <string_view>

#include "framework/app/http_response_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t piece = 1 + data[0] % 64;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    Kavo::HttpResponseReader reader;
    for (size_t at = 0; at < input.size(); at += piece)
        reader.Feed(input.substr(at, piece));
    const auto beforeClose = reader.GetOutcome();
    const auto outcome = reader.Close();
    using Outcome = Kavo::HttpResponseReader::Outcome;
    // The body comes out of the input; a malformed answer always says why,
    // and a finished one never changes with the close.
    if (reader.Body().size() > input.size() || outcome == Outcome::Running ||
        (outcome == Outcome::Malformed) == reader.Error().empty() ||
        (beforeClose != Outcome::Running && beforeClose != outcome))
        std::abort();
    return 0;
}
