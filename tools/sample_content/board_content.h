#pragma once
// The board's sample data: the item catalogue "data/items.txt" with the item
// pictures it names, the board layouts "data/boards.dat" and the selection
// animation "data/selected.anim" with its picture.

#include <string>

namespace Kavo::SampleContent {

// The text of "data/items.txt" (CR LF): ids 0 to 12.
std::string ItemsText();
// The bytes of "data/boards.dat": four layouts (a small first-stage
// rectangle; a full board with holes; double tiles, chains of both styles
// and edge lists; an irregular shape).
std::string BoardsDatBytes();
// Writes all of it under `root`; false when a file could not be written.
bool WriteBoardContent(const std::string& root);

} // namespace Kavo::SampleContent
