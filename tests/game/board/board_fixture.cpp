#include "tests/game/board/board_fixture.h"

#include "framework/graphics/memory_image.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"

namespace Game::Test {

BoardFixture::BoardFixture() {
    IMAGE_CHAIN = AddPicture("IMAGE_CHAIN", 20);
    IMAGE_CHAIN1 = AddPicture("IMAGE_CHAIN1", 21);
    IMAGE_CHAIN2 = AddPicture("IMAGE_CHAIN2", 22);
    IMAGE_WHITECELL = AddPicture("IMAGE_WHITECELL", 50);
    std::string items;
    for (int id = 0; id <= 5; ++id) {
        const std::string n = std::to_string(id);
        AddPicture("chip" + n, 40);
        AddPicture("secret" + n, 30);
        items += "[Item" + n + "]\r\nID=" + n + "\r\nCursor=chip" + n + "\r\nSecret=secret" + n + "\r\n";
    }
    InstallCatalog(items);
    mBoard.SetOrigin(kOriginX, kOriginY);
}

BoardFixture::~BoardFixture() {
    IMAGE_CHAIN = IMAGE_CHAIN1 = IMAGE_CHAIN2 = IMAGE_WHITECELL = nullptr;
}

Kavo::MemoryImage* BoardFixture::AddPicture(const std::string& name, int size) {
    mPictures.push_back(std::make_unique<Kavo::MemoryImage>());
    Kavo::MemoryImage* picture = mPictures.back().get();
    picture->Create(size, size);
    Kavo::SharedImage& record = mRecords.emplace_back();
    record.mImage = picture;
    mManager->AddLoadedImage(name, Kavo::SharedImageHandle(&record));
    return picture;
}

std::shared_ptr<ItemCatalog> BoardFixture::InstallCatalog(const std::string& text) {
    const std::string path = Platform().Folder() + "/items" + std::to_string(mFiles++) + ".txt";
    EXPECT_TRUE(platform::WriteWholeFile(path, text));
    auto catalog = std::make_shared<ItemCatalog>();
    catalog->Load(path);
    mCatalogSlot.reset();
    mCatalog = catalog;
    mCatalogSlot = std::make_unique<platform::Installed<ItemCatalog>>(ItemCatalogSlot(), mCatalog);
    return catalog;
}

} // namespace Game::Test
