#pragma once
// A headless environment with the board's picture sources installed: a game
// resource manager holding small pictures whose sizes tell them apart in a
// recording image, the chain and white-cell pictures, and an item catalogue
// of ids 0 to 5 (board picture "chipN" 40 x 40, secret picture "secretN"
// 30 x 30). The board's origin is the board screen's (177, 103).

#include "framework/graphics/memory_image.h"
#include "framework/resource/resource_records.h"
#include "game/board/board.h"
#include "game/board/item_catalog.h"
#include "game/ui/game_resource_manager.h"
#include "tests/support/headless_environment.h"

#include <deque>
#include <memory>
#include <string>

namespace Game::Test {

inline constexpr int kOriginX = 177;
inline constexpr int kOriginY = 103;

// A game resource manager that also takes pictures made by the test.
class PictureResourceManager : public GameResourceManager {
public:
    PictureResourceManager() : GameResourceManager(nullptr) {}
    void AddLoadedImage(const std::string& id, Kavo::SharedImageHandle image) {
        auto record = std::make_unique<Kavo::ImageRes>();
        record->mId = id;
        record->mResGroup = "Test";
        record->mFromProgram = true;
        record->mImage = std::move(image);
        mImageMap[id] = std::move(record);
    }
};

class BoardFixture : public Kavo::HeadlessEnvironment {
protected:
    BoardFixture();
    ~BoardFixture() override;

    // A picture of that size registered in the manager under `name`.
    Kavo::MemoryImage* AddPicture(const std::string& name, int size);
    // A catalogue read from INI text, installed in place of the default one.
    std::shared_ptr<ItemCatalog> InstallCatalog(const std::string& text);

    // Before the manager, whose records refer to them.
    std::deque<std::unique_ptr<Kavo::MemoryImage>> mPictures;
    std::deque<Kavo::SharedImage> mRecords;
    std::shared_ptr<PictureResourceManager> mManager = std::make_shared<PictureResourceManager>();
    platform::Installed<GameResourceManager> mManagerSlot{GameResourceManagerSlot(), mManager};
    std::shared_ptr<ItemCatalog> mCatalog;
    std::unique_ptr<platform::Installed<ItemCatalog>> mCatalogSlot;
    Board mBoard;

private:
    int mFiles = 0;
};

} // namespace Game::Test
