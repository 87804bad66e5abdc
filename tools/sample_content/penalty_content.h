#pragma once
// The penalty dialog's layout and the short sounds of the board's events,
// bonuses and stage ends.

#include <string>

namespace Kavo::SampleContent {

// The text of "UI/penalty.txt" (LF; written with CR LF): dialog 8 with the
// "Dest" point and the close button 1.
std::string PenaltyLayoutText();
// Writes the layout under `root`; false when it could not be written.
bool WritePenaltyContent(const std::string& root);
// Writes a short wave for every sound of the board's events into the
// program's sound folder `folder` + "/sounds".
bool WriteBoardEventSounds(const std::string& folder);

} // namespace Kavo::SampleContent
