#include "game/meta/recipes.h"

#include "framework/graphics/graphics.h"
#include "framework/util/buffer.h"
#include "game/ui/app_file.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"

namespace Game {

platform::ProcessSlot<Recipes>& RecipesSlot() {
    static platform::ProcessSlot<Recipes> slot;
    return slot;
}

bool Recipes::Load(const std::string& path) {
    IniDocument document;
    if (!document.Load(path, true))
        return false;
    LoadDocument(document);
    return true;
}

void Recipes::LoadDocument(IniDocument& document) {
    for (auto section = document.Begin(); section != document.End(); ++section) {
        auto recipe = std::make_unique<Recipe>();
        recipe->mName = section.Name();
        recipe->mFile = section.Value().GetString("File");
        mRecipes[recipe->mName] = std::move(recipe);
    }
}

Recipe* Recipes::Find(const std::string& name) {
    auto found = mRecipes.find(name);
    if (found == mRecipes.end())
        return nullptr;
    Recipe& recipe = *found->second;
    Kavo::Buffer buffer;
    if (recipe.mLines.empty() && !recipe.mFile.empty() && LoadAppFile(recipe.mFile, buffer))
        ReadLines(recipe, buffer);
    return &recipe;
}

void Recipes::ReadLines(Recipe& recipe, Kavo::Buffer& buffer) {
    while (!buffer.AtEnd())
        recipe.mLines.push_back(buffer.ReadLine());
}

void Recipes::DrawText(const Recipe& recipe, Kavo::Graphics& g, int width) {
    if (recipe.mLines.empty())
        return;
    g.SetFont(FONT_DEFAULT);
    g.SetColor(Kavo::Color(0, 0, 0, 255));
    if (g.GetFont() == nullptr)
        return;
    g.DrawString(recipe.mLines[0], (width - g.StringWidth(recipe.mLines[0])) / 2, 40);
    const int height = g.GetFont()->GetHeight();
    for (size_t i = 1; i < recipe.mLines.size(); ++i)
        g.DrawString(recipe.mLines[i], 30, 70 + static_cast<int>(i - 1) * height);
}

} // namespace Game
