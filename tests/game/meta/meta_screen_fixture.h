#pragma once
// The stage-complete screen and the secret dialog over a headless game
// application: layout files in the work folder, a current user whose
// profile is saved there, pictures by name of chosen sizes (a name without
// a size has no picture), the sounds played, and a dialog listener that
// notes each result.

#include "framework/graphics/memory_image.h"
#include "framework/widget/dialog_listener.h"
#include "game/app/game_app.h"
#include "game/meta/secret_maps.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/framework/graphics/fake_font.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Game::Test {

class PictureApp : public GameApp {
public:
    using GameApp::GameApp;
    Kavo::MemoryImage* GetImage(const std::string& name, bool) override {
        auto it = mSizes.find(name);
        if (it == mSizes.end())
            return nullptr;
        auto* image = new Kavo::MemoryImage();
        image->Create(it->second.first, it->second.second);
        return image;
    }
    std::map<std::string, std::pair<int, int>> mSizes;
};

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    int Count(const std::string& name) const {
        int count = 0;
        for (const std::string& played : mPlayed)
            count += played == name ? 1 : 0;
        return count;
    }
    std::vector<std::string> mPlayed;
};

class ResultLog : public Kavo::DialogListener {
public:
    void DialogButtonRelease(int32_t id, int32_t button) override { mResults.emplace_back(id, button); }
    std::vector<std::pair<int32_t, int32_t>> mResults;
};

class MetaScreenFixture : public app_test::AppTestEnvironment {
protected:
    MetaScreenFixture() {
        FONT_DEFAULT = &mFont;
        // Each Update also runs the dialogs' smooth step.
        mApp.mVSyncUpdates = false;
        platform::MakeDirectories(UsersFolder());
        mUsers->LoadAll(UsersFolder() + "/users.dat");
        auto* user = new User;
        user->mName = "Ann";
        mUsers->AddUser(user);
    }
    ~MetaScreenFixture() override { FONT_DEFAULT = nullptr; }

    void WriteWorkFile(const std::string& name, const std::string& text) {
        const std::string path = WorkFolder() + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
    }
    std::string UsersFolder() { return Platform().Folder() + "/Users"; }
    UserRecord& Record() { return *mUsers->GetCurrentRecord(); }

    Kavo::FakeFont mFont;
    PictureApp mApp{Platform().Folder() + "/program"};
    UserManager* mUsers = UserManager::GetInstance();
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
    SecretMaps mMaps;
    platform::Installed<SecretMaps> mMapsSlot{SecretMapsSlot(), mMaps};
    ResultLog mResults;
};

} // namespace Game::Test
