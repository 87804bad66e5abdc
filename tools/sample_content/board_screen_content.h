#pragma once
// The board screen's sample content: its layout "UI/board.txt", the shine
// animation, the third restaurant's background, the stage music by
// restaurant and the short sounds the screen plays.

#include <string>

namespace Kavo::SampleContent {

// The text of "UI/board.txt" (LF; written with CR LF): every control and
// point the screen reads, "Menu" as button 1 and the hide-board button 77.
std::string BoardScreenLayoutText();
// Writes the layout, "data/shine.anim" with its picture, the background
// "back3" and "sounds/music/music.txt" under `root`; false when a file
// could not be written.
bool WriteBoardScreenContent(const std::string& root);
// Writes the waves "tiktak1", "hint" and "chainappear" into the program's
// sound folder `folder` + "/sounds".
bool WriteBoardScreenSounds(const std::string& folder);

} // namespace Kavo::SampleContent
