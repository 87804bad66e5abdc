#pragma once
// The back of a postcard: a copy of IMAGE_POSTBACK with the recipe's text
// drawn on it, shared by the picture puzzle and the map's post panel.

#include <memory>
#include <string>

namespace Kavo {
class MemoryImage;
} // namespace Kavo

namespace Game {

// Null while IMAGE_POSTBACK is not loaded; a recipe the table does not know
// (or no table) leaves the back plain.
std::unique_ptr<Kavo::MemoryImage> MakeRecipeCard(const std::string& recipeName);

} // namespace Game
