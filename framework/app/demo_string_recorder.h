#pragma once
// How a value read from outside the program (the clipboard) reaches a demo:
// while recording it is written into the demo, while replaying the recorded
// value takes its place, so that a replay sees what the recorded run saw.

#include <string>

namespace Kavo {

class DemoStringRecorder {
public:
    virtual ~DemoStringRecorder() = default;
    // Returns the text to use: the text itself, or the recorded one in a replay.
    virtual std::string RecordOrReplayString(const std::string& text) = 0;
};

} // namespace Kavo
