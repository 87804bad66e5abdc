#pragma once
// A fresh folder under the test temporary folder, removed afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace platform_test {

class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mPath = std::filesystem::path(::testing::TempDir()) /
                ("plat_" + std::string(info ? info->name() : "x") + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(mPath, ec);
    }
    std::string Path() const { return mPath.string(); }
    std::string Sub(const std::string& rel) const { return (mPath / rel).string(); }

private:
    std::filesystem::path mPath;
};

} // namespace platform_test
