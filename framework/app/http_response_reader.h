#pragma once
// Reads an HTTP/1.x response as its bytes arrive, in pieces of any size:
// the status line and headers, then a body that is chunked, sized by
// Content-Length, or runs until the connection closes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Kavo {

class HttpResponseReader {
public:
    enum class Outcome {
        Running,   // more is expected
        Finished,  // the response ended after a status of 200, or without a status line
        NotFound,  // status 404
        BadStatus, // any other status
        Malformed, // cut short or not readable; Error() says why
    };

    // Takes the next piece. Once the outcome is no longer Running, further
    // bytes are ignored.
    Outcome Feed(std::string_view data);
    // The connection closed: a body read until the end is complete, one that
    // still expects bytes is cut short.
    Outcome Close();

    Outcome GetOutcome() const { return mOutcome; }
    const std::string& Body() const { return mBody; }
    // The first error, or empty.
    const std::string& Error() const { return mError; }
    bool IsChunked() const { return mChunked; }
    int32_t GetContentLength() const { return mContentLength; }

    // Longest header or chunk-size line accepted.
    static constexpr std::size_t kMaxLineLength = 16384;

private:
    enum class Phase { Headers, Body, ChunkSize, ChunkData, ChunkEnd, Done };

    void Process();
    // The next CR LF ended line from the work text, when a whole one is there.
    bool NextLine(std::string& line);
    void HeaderLine(const std::string& line);
    void ChunkSizeLine(const std::string& line);
    void Finish(Outcome outcome);
    void Fail(const std::string& error);

    Phase mPhase = Phase::Headers;
    Outcome mOutcome = Outcome::Running;
    std::string mWork; // received bytes not yet taken
    std::size_t mPos = 0;
    std::string mBody;
    std::string mError;
    bool mChunked = false;
    int32_t mContentLength = 0;
    int32_t mRemaining = 0; // of the sized body or the current chunk
};

} // namespace Kavo
