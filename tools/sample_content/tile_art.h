#pragma once
// The board's tile pictures: the tiles still to clear stand out as raised
// tiles, a double tile thicker and darker than a single one, and a cleared
// cell is a flat, dark, sunken square. None carries a name: what a player
// reads off the board is which cells are still to clear.

#include <string>

#include "tools/sample_content/placeholder_art.h"

namespace Kavo::SampleContent {

// Whether `name` (a game picture's id without "IMAGE_") is a tile picture.
bool IsTilePicture(const std::string& name);

// The whole picture: cols x rows cels of the tile its name stands for,
// alternate cels a little lighter so that neighbouring tiles are told apart.
Pixels TilePicture(const std::string& name, int celWidth, int celHeight, int cols, int rows);

} // namespace Kavo::SampleContent
