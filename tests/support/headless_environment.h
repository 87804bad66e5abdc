#pragma once
// The one fixture base for tests that touch process-wide services. Each test
// gets them fresh and the previous occupants are put back when it ends:
//   - the headless platform: virtual clock, in-memory registry store, a
//     temporary user-data folder, headless video, audio and desktop drivers;
//   - an empty pak reader slot: the file API reads the disk;
//   - a new image registry, with no display host attached;
//   - no 3D answer: the display is not 3D and no image is its 3D surface;
//   - the rasteriser's own table (no recording table installed).
// A test installs its own reader, host or 3D answer on top with
// platform::Installed; those nest inside these.

#include "framework/graphics/display_3d.h"
#include "framework/graphics/image_registry.h"
#include "framework/pak/pak_interface.h"
#include "framework/raster/tri_raster.h"
#include "platform/headless/headless_platform.h"
#include "platform/process_slot.h"

#include <gtest/gtest.h>

#include <memory>

namespace Kavo {

class HeadlessEnvironment : public ::testing::Test {
protected:
    platform::HeadlessPlatform& Platform() { return mPlatform; }
    ImageRegistry& Images() { return *mImages; }

private:
    // First, so that it is installed before and restored after everything below.
    platform::HeadlessPlatform mPlatform;

    std::shared_ptr<ImageRegistry> mImages = std::make_shared<ImageRegistry>();
    platform::Installed<ImageRegistry> mImageSlot{ImageRegistrySlot(), mImages};
    platform::Installed<PakInterfaceBase> mNoArchive{PakReaderSlot(), std::shared_ptr<PakInterfaceBase>()};
    platform::Installed<Display3D> mNot3D{Display3DSlot(), std::shared_ptr<Display3D>()};
    platform::Installed<const TriRasterMemberTable> mOwnRasterTable{TriRasterTableSlot(),
                                                                    std::shared_ptr<const TriRasterMemberTable>()};
};

} // namespace Kavo
