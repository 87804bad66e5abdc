#include <gtest/gtest.h>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/shared_image.h"

namespace Kavo {
namespace {

class SharedImageHandleTest : public testing::Test {
protected:
    void SetUp() override { TakeSharedImagePurgeRequest(); }
    void TearDown() override { TakeSharedImagePurgeRequest(); }
};

TEST_F(SharedImageHandleTest, CountsReturnAndPurgeIsAskedOnlyAtZero) {
    MemoryImage picture;
    SharedImage record;
    record.mImage = &picture;
    {
        SharedImageHandle first(&record);
        EXPECT_EQ(record.mRefCount, 1);
        EXPECT_EQ(first.GetImage(), &picture);

        SharedImageHandle second;
        second = first;
        EXPECT_EQ(record.mRefCount, 2);
        EXPECT_EQ(static_cast<MemoryImage*>(second), &picture);
        second.Release();
        EXPECT_EQ(record.mRefCount, 1);
        EXPECT_EQ(second.GetImage(), nullptr);

        // Handing a handle the record it already holds must not pass zero.
        auto& alias = first;
        first = alias;
        second = first;
        first = second;
        EXPECT_EQ(record.mRefCount, 2);
        EXPECT_FALSE(IsSharedImagePurgeRequested());

        SharedImageHandle copy(first);
        EXPECT_EQ(record.mRefCount, 3);
    }
    EXPECT_EQ(record.mRefCount, 0);
    EXPECT_TRUE(TakeSharedImagePurgeRequest());
    EXPECT_FALSE(IsSharedImagePurgeRequested());
}

TEST_F(SharedImageHandleTest, UnsharedImageIsDeletedOnlyWhenOwned) {
    // The sanitizer build turns a wrong delete into a failure: a leak when an
    // owned image is dropped, a double free when a borrowed one is deleted.
    MemoryImage borrowed;
    SharedImageHandle handle;
    handle.SetUnsharedImage(new MemoryImage, true);
    EXPECT_TRUE(handle.mOwnsUnshared);
    handle = &borrowed; // releases the owned one
    EXPECT_FALSE(handle.mOwnsUnshared);
    EXPECT_EQ(handle.GetImage(), &borrowed);
    handle = &borrowed;
    EXPECT_EQ(handle.GetImage(), &borrowed);

    // Copies share records only.
    SharedImageHandle copy;
    copy = handle;
    EXPECT_EQ(copy.GetImage(), nullptr);
    handle.Release();
    EXPECT_EQ(handle.GetImage(), nullptr);
    EXPECT_FALSE(IsSharedImagePurgeRequested());
}

} // namespace
} // namespace Kavo
