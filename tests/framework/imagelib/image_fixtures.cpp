#include "tests/framework/imagelib/image_fixtures.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace Kavo::ImageLib::Fixtures {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    mPath = testing::TempDir() + "imagelib_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    std::filesystem::remove_all(mPath);
    std::filesystem::create_directories(mPath);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

void ScratchDir::Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(File(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << name;
}

} // namespace Kavo::ImageLib::Fixtures
