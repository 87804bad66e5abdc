#pragma once
// A fresh temporary folder and an installed storage registry per test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/base/storage_error.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"
#include "engine/storage/storage_path.h"
#include "engine/storage/storage_registry.h"

namespace storage_test {

// Writes a whole file through a storage.
inline void Put(Stg_t* storage, const std::string& name, const std::string& bytes) {
    FileDescr_t* file = storage->OpenFile(name, 1);
    std::uint32_t written = 0;
    storage->WriteFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &written);
    EXPECT_EQ(written, bytes.size());
    storage->CloseFile(file);
}
// Reads a whole file through a storage.
inline std::string Get(Stg_t* storage, const std::string& name) {
    FileDescr_t* file = storage->OpenFile(name, 0);
    std::string bytes(storage->Size(file), '\0');
    std::uint32_t read = 0;
    storage->ReadFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &read);
    EXPECT_EQ(read, bytes.size());
    storage->CloseFile(file);
    return bytes;
}

// The error that `action` raises; fails the test when it raises none.
template <typename F>
errStg_e Raised(F&& action) {
    try {
        action();
    } catch (const errStg_e& e) {
        return e;
    }
    ADD_FAILURE() << "no storage error raised";
    return errStg_e("", "", 0, 0);
}

class StorageTest : public ::testing::Test {
protected:
    StorageTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mRoot = std::filesystem::path(::testing::TempDir()) /
                ("engstg_" + std::string(info->name()) + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot);
    }
    ~StorageTest() override {
        std::error_code ec;
        std::filesystem::remove_all(mRoot, ec);
    }

    std::string Root() const { return mRoot.string(); }
    std::filesystem::path Disk(const std::string& relative) const { return mRoot / relative; }

    static void WriteDisk(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadDisk(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path mRoot;
    platform::Installed<StorageRegistry> mRegistry{gStorageRegistry, std::make_shared<StorageRegistry>()};
};

// Releases a storage at the end of a scope.
struct StorageRelease {
    void operator()(Stg_t* storage) const {
        if (storage != nullptr)
            storage->Release();
    }
};
using StoragePtr = std::unique_ptr<Stg_t, StorageRelease>;

} // namespace storage_test
