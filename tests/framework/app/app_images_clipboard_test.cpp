#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app_test_environment.h"
#include "framework/app/demo_session.h"
#include "framework/app/kavo_app_base.h"
#include "framework/font/default_font_services.h"
#include "framework/font/font_services.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "platform/text_encoding.h"
#include "test_app.h"

namespace app_test {
namespace {

using Kavo::MemoryImage;
using Kavo::SharedImageHandle;

class AppServicesTest : public AppTestEnvironment {
protected:
    AppServicesTest() { Kavo::TakeSharedImagePurgeRequest(); }
    ~AppServicesTest() override { Kavo::TakeSharedImagePurgeRequest(); }

    // A 3 x 2 picture whose pixels all differ, written into the work folder.
    std::string WritePicture(const std::string& name) {
        Kavo::ImageLib::Image picture(3, 2);
        for (size_t i = 0; i < picture.mBits.size(); ++i)
            picture.mBits[i] = 0xFF000000u | static_cast<uint32_t>(0x102030 * (i + 1));
        const std::string path = WorkFolder() + "/" + name;
        EXPECT_TRUE(Kavo::ImageLib::SaveAsPng(path, picture));
        return path;
    }

    TestApp mApp{WorkFolder()};
};

TEST_F(AppServicesTest, ClipboardCarriesWindows1251TextAsUtf8AndGoesThroughTheDemoRecorder) {
    const std::string cyrillic = platform::Utf8ToCp1251("Привет, мир! ёЁ №5");
    mApp.SetClipboardText(cyrillic);
    EXPECT_EQ(Platform().Desktop().GetClipboardText(), "Привет, мир! ёЁ №5");
    EXPECT_EQ(mApp.GetClipboardText(), cyrillic);
    Platform().Desktop().SetClipboardText("Щука");
    EXPECT_EQ(mApp.GetClipboardText(), platform::Utf8ToCp1251("Щука"));

    // Recording: what is read is recorded, the empty clipboard included.
    mApp.mRecordingDemo = true;
    mApp.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(mApp));
    EXPECT_EQ(mApp.GetClipboardText(), platform::Utf8ToCp1251("Щука"));
    Platform().Desktop().SetClipboardText("");
    EXPECT_EQ(mApp.GetClipboardText(), "");

    // Replaying: the clipboard is neither read nor written; the recorded texts come back.
    mApp.mRecordingDemo = false;
    mApp.mPlayingDemo = true;
    mApp.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(mApp));
    Platform().Desktop().SetClipboardText("live");
    EXPECT_EQ(mApp.GetClipboardText(), platform::Utf8ToCp1251("Щука"));
    EXPECT_EQ(mApp.GetClipboardText(), "");
    mApp.SetClipboardText("from the replay");
    EXPECT_EQ(Platform().Desktop().GetClipboardText(), "live");
    mApp.mPlayingDemo = false;
    mApp.SetDemoRecorder(nullptr);
}

TEST_F(AppServicesTest, GetImageHoldsTheFilesPixelsAndCopiesDrawTheRectangle) {
    const std::string path = WritePicture("picture.png");
    std::unique_ptr<MemoryImage> image(mApp.GetImage(path, true));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->mWidth, 3);
    ASSERT_EQ(image->mHeight, 2);
    EXPECT_EQ(image->mFilePath, path);
    EXPECT_EQ(image->GetBits()[4], 0xFF000000u | 0x102030u * 5);
    EXPECT_EQ(mApp.GetImage(WorkFolder() + "/missing.png", true), nullptr);

    image->mNumCols = 3; // attributes travel with the copy
    std::unique_ptr<MemoryImage> part(mApp.CopyImageViaGraphics(image.get(), Kavo::IntRect(1, 1, 2, 1)));
    ASSERT_EQ(part->mWidth, 2);
    ASSERT_EQ(part->mHeight, 1);
    EXPECT_EQ(part->GetBits()[0], image->GetBits()[4]);
    EXPECT_EQ(part->GetBits()[1], image->GetBits()[5]);
    EXPECT_EQ(part->mNumCols, 3);

    std::unique_ptr<MemoryImage> whole(mApp.CopyImage(image.get()));
    ASSERT_EQ(whole->mWidth, 3);
    ASSERT_EQ(whole->mHeight, 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(whole->GetBits()[i], image->GetBits()[i]) << i;
}

TEST_F(AppServicesTest, SharedImagesAreOnePerUpperCasedNameAndVariant) {
    const std::string path = WritePicture("shared.png");
    bool isNew = false;
    SharedImageHandle first = mApp.GetSharedImage(path, "", &isNew);
    EXPECT_TRUE(isNew);
    ASSERT_NE(first.GetImage(), nullptr);
    EXPECT_EQ(first.GetImage()->mWidth, 3);
    EXPECT_EQ(first.mSharedImage->mRefCount, 1);

    // Letter case does not matter, in the name or the variant.
    SharedImageHandle second = mApp.GetSharedImage(WorkFolder() + "/SHARED.PNG", "", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(second.mSharedImage, first.mSharedImage);
    EXPECT_EQ(first.mSharedImage->mRefCount, 2);

    SharedImageHandle variant = mApp.GetSharedImage(path, "Gray", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_NE(variant.GetImage(), first.GetImage());
    EXPECT_EQ(mApp.GetSharedImage(path, "GRAY").mSharedImage, variant.mSharedImage);

    // A '!' name gets an empty image for the caller to fill.
    SharedImageHandle blank = mApp.GetSharedImage("!scratch", "", &isNew);
    EXPECT_TRUE(isNew);
    ASSERT_NE(blank.GetImage(), nullptr);
    EXPECT_EQ(blank.GetImage()->mWidth, 0);

    // A file that does not load keeps a null image and is still counted.
    SharedImageHandle missing = mApp.GetSharedImage(WorkFolder() + "/none.png", "", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_EQ(missing.GetImage(), nullptr);
    EXPECT_EQ(missing.mSharedImage->mRefCount, 1);
    SharedImageHandle missingAgain = mApp.GetSharedImage(WorkFolder() + "/none.png", "", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(missingAgain.mSharedImage, missing.mSharedImage);
    EXPECT_EQ(mApp.mSharedImageMap.size(), 4u);
}

TEST_F(AppServicesTest, ASharedImageNobodyHoldsLastsUntilTheNextPurge) {
    const std::string path = WritePicture("fade.png");
    SharedImageHandle kept = mApp.GetSharedImage(WritePicture("kept.png"), "");
    SharedImageHandle handle = mApp.GetSharedImage(path, "");
    MemoryImage* image = handle.GetImage();
    ASSERT_NE(image, nullptr);

    handle.Release();
    EXPECT_EQ(mApp.mSharedImageMap.size(), 2u);
    // A purge drops records only when a release has asked for it.
    ASSERT_TRUE(Kavo::TakeSharedImagePurgeRequest());
    mApp.PurgeSharedImages();
    EXPECT_EQ(mApp.mSharedImageMap.size(), 2u);
    EXPECT_TRUE(mApp.HasMemoryImage(image));

    // Asked for again before the purge: the same record and image come back.
    bool isNew = true;
    handle = mApp.GetSharedImage(path, "", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(handle.GetImage(), image);
    mApp.PurgeSharedImages();
    EXPECT_EQ(handle.GetImage(), image);

    handle.Release();
    mApp.PurgeSharedImages();
    EXPECT_EQ(mApp.mSharedImageMap.size(), 1u); // only the held one stays
    EXPECT_FALSE(mApp.HasMemoryImage(image));
    EXPECT_NE(kept.GetImage(), nullptr);
    EXPECT_FALSE(Kavo::IsSharedImagePurgeRequested());

    handle = mApp.GetSharedImage(path, "", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_NE(handle.GetImage(), nullptr);
}

TEST_F(AppServicesTest, FontsReachTheApplicationWhileItExists) {
    std::shared_ptr<Kavo::FontServices> services = Kavo::FontServicesSlot().Get();
    ASSERT_NE(services, nullptr);

    const std::string path = WritePicture("font.png");
    SharedImageHandle viaFonts = services->GetSharedImage(path, "");
    EXPECT_EQ(viaFonts.mSharedImage, mApp.GetSharedImage(path, "").mSharedImage);
    std::unique_ptr<MemoryImage> copy(services->CopyImageViaGraphics(viaFonts.GetImage()));
    ASSERT_EQ(copy->mWidth, 3);
    EXPECT_EQ(copy->GetBits()[5], viaFonts.GetImage()->GetBits()[5]);

    services->ShowFatalError("Font error");
    const auto boxes = Platform().Desktop().MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Font error");
    EXPECT_EQ(boxes[0].caption, "FATAL ERROR");
}

TEST_F(AppServicesTest, HardwareAccelerationAnswersFollowTheCapabilityTest) {
    EXPECT_FALSE(mApp.HardwareAccelSupported()); // no display
    mApp.mDDInterface = new Kavo::DDInterface(&mApp, mApp.GetDisplayLock());
    EXPECT_FALSE(mApp.HardwareAccelSupported()); // no test has run
    EXPECT_FALSE(mApp.HardwareAccelRecommended());

    struct Case {
        const char* failure;
        const char* warning;
        bool supported;
        bool recommended;
    };
    const Case cases[] = {
        {"", "", true, true},
        {"", "Old driver", true, false},
        {"Blend test failed", "", false, false},
        {"Blend test failed", "Old driver", false, false},
    };
    mApp.mDDInterface->mD3DTester = std::make_unique<Kavo::D3DTester>();
    for (const Case& c : cases) {
        mApp.mDDInterface->mD3DTester->mFailureReason = c.failure;
        mApp.mDDInterface->mD3DTester->mWarning = c.warning;
        EXPECT_EQ(mApp.HardwareAccelSupported(), c.supported) << c.failure << "|" << c.warning;
        EXPECT_EQ(mApp.HardwareAccelRecommended(), c.recommended) << c.failure << "|" << c.warning;
    }
}

using AppFontServicesTest = AppTestEnvironment;

TEST_F(AppFontServicesTest, TheApplicationsServicesLastAsLongAsTheApplication) {
    auto outside = std::make_shared<Kavo::DefaultFontServices>();
    platform::Installed<Kavo::FontServices> installed(Kavo::FontServicesSlot(), outside);
    {
        TestApp app(WorkFolder());
        EXPECT_NE(Kavo::FontServicesSlot().Get(), outside);
    }
    EXPECT_EQ(Kavo::FontServicesSlot().Get(), outside);
}

} // namespace
} // namespace app_test
