// Reads the puzzle table, the recipe table or a recipe's text (the first
// byte picks which), then asks the table for its entries the way the puzzle
// dialog does.
#include "framework/util/buffer.h"
#include "game/meta/puzzle_defs.h"
#include "game/meta/recipes.h"
#include "game/ui/ini_document.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const char* text = reinterpret_cast<const char*>(data + 1);
    switch (data[0] % 3) {
    case 0: {
        Game::IniDocument document;
        document.Parse(text, size - 1, true);
        Game::PuzzleDefs defs;
        defs.LoadDocument(document);
        for (int index : {0, 1, -1, 7, -2147483647 - 1})
            defs.Get(index);
        break;
    }
    case 1: {
        Game::IniDocument document;
        document.Parse(text, size - 1, true);
        Game::Recipes recipes;
        recipes.LoadDocument(document);
        // Only names that exist are looked up; their files are not read here.
        for (auto& [name, recipe] : recipes.mRecipes)
            recipe->mFile.clear();
        for (auto& [name, recipe] : recipes.mRecipes)
            recipes.Find(name);
        break;
    }
    default: {
        Kavo::Buffer buffer;
        buffer.SetData(data + 1, static_cast<int>(size - 1));
        Game::Recipe recipe;
        Game::Recipes::ReadLines(recipe, buffer);
        break;
    }
    }
    return 0;
}
