#include "game/meta/recipe_card.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/meta/recipes.h"
#include "game/ui/resource_ids.h"

namespace Game {

std::unique_ptr<Kavo::MemoryImage> MakeRecipeCard(const std::string& recipeName) {
    Kavo::Image* back = IMAGE_POSTBACK;
    if (back == nullptr)
        return nullptr;
    std::unique_ptr<Kavo::MemoryImage> card;
    if (Kavo::KavoAppBase* app = Kavo::gAppBase) {
        card.reset(app->CopyImage(back));
    } else {
        card = std::make_unique<Kavo::MemoryImage>();
        card->Create(back->mWidth, back->mHeight);
        Kavo::Graphics copy(card.get());
        copy.DrawImage(back, 0, 0);
    }
    std::shared_ptr<Recipes> recipes = RecipesSlot().Get();
    const Recipe* recipe = recipes != nullptr ? recipes->Find(recipeName) : nullptr;
    if (card != nullptr && recipe != nullptr) {
        Kavo::Graphics g(card.get());
        Recipes::DrawText(*recipe, g, card->mWidth);
    }
    return card;
}

} // namespace Game
