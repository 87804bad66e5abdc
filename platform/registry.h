#pragma once
// The current user's settings tree, with the rules of the system registry
// that the framework relies on: "\"-separated key paths compared without
// regard to case, typed values, a query that reports the type and fails on
// a buffer that is too small while telling the size needed.
//
// The calls work on the store in RegistryStoreSlot. A store lives in
// memory and, once bound to a file, saves itself as one text file after
// every change (written to a temporary file, then renamed over the old one).
// The application installs a store and binds it to its settings file at
// start-up; with nothing installed the calls reach a store that lives in
// memory only, so nothing reaches the user's settings by accident.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/process_slot.h"

namespace platform {

// Value types (the system's numbers).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegString = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Results (the system's error numbers; 0 is success).
using RegResult = long;
inline constexpr RegResult kRegOk = 0;
inline constexpr RegResult kRegNotFound = 2;
inline constexpr RegResult kRegAccessDenied = 5;
inline constexpr RegResult kRegInvalidParameter = 87;
inline constexpr RegResult kRegMoreData = 234;

// An open key: the full path from the current user's root. A key deleted
// while open makes later calls through it fail with kRegNotFound.
struct RegKey {
    std::string path; // "" is the root (the current user's tree)
    bool open = false;
};
inline const RegKey kRegCurrentUser{"", true};

RegResult RegCreateKey(const RegKey& parent, std::string_view subPath, RegKey& result);
RegResult RegOpenKey(const RegKey& parent, std::string_view subPath, RegKey& result);
void RegCloseKey(RegKey& key);
RegResult RegSetValue(const RegKey& key, std::string_view name, std::uint32_t type, const void* data,
                      std::uint32_t size);
// As the system's query: type may be null; with a null data pointer only the
// size is reported; a buffer smaller than the value gives kRegMoreData with
// *size set to the size needed and the buffer untouched.
RegResult RegQueryValue(const RegKey& key, std::string_view name, std::uint32_t* type, void* data, std::uint32_t* size);
RegResult RegDeleteValue(const RegKey& key, std::string_view name);
// Deletes a key that has no subkeys (kRegAccessDenied otherwise).
RegResult RegDeleteKey(const RegKey& parent, std::string_view subPath);
// Deletes a key with everything below it.
RegResult RegDeleteTree(const RegKey& parent, std::string_view subPath);

// ---- The store ----
class RegistryStore;
ProcessSlot<RegistryStore>& RegistryStoreSlot();
// An empty store kept in memory, to install.
std::shared_ptr<RegistryStore> NewRegistryStore();

// The application's settings file: <config folder>/kavo/registry.txt (see GetConfigFolder).
std::string DefaultRegistryFile();
// Binds the current store to the given file (disk path, UTF-8), loading
// what it holds in place of what the store held. False when the file exists
// but cannot be read or parsed (the store is then empty and the file is left
// alone until the next change).
bool UseRegistryFile(const std::string& diskPath);
// Empties the current store and unbinds it from its file.
void UseMemoryRegistry();

} // namespace platform
