#pragma once
// The recipe texts on the backs of the postcards ("data/recipies.txt"): per
// section a recipe name and the file of its text. A recipe's text is read
// the first time it is looked up; a file that is missing or empty is tried
// again at the next lookup.

#include "game/meta/recipe.h"
#include "platform/process_slot.h"

#include <map>
#include <memory>
#include <string>

namespace Kavo {
class Buffer;
class Graphics;
} // namespace Kavo

namespace Game {

class IniDocument;

class Recipes {
public:
    // False when the file cannot be read (the table does not change).
    bool Load(const std::string& path);
    // A later section of the same name takes the slot.
    void LoadDocument(IniDocument& document);
    // The recipe of that name with its lines read, or null.
    Recipe* Find(const std::string& name);
    // The title centred at y 40 on a card `width` wide, the further lines
    // at x 30 from y 70 down, one font height apart, in FONT_DEFAULT and
    // opaque black. Nothing for a recipe without lines.
    static void DrawText(const Recipe& recipe, Kavo::Graphics& g, int width);
    // Appends the buffer's text lines to the recipe's.
    static void ReadLines(Recipe& recipe, Kavo::Buffer& buffer);

    std::map<std::string, std::unique_ptr<Recipe>> mRecipes;
};

// The run's table, installed by the program before loading.
platform::ProcessSlot<Recipes>& RecipesSlot();

} // namespace Game
