#pragma once
// The current user's settings tree, with the rules of the system registry
// that the framework relies on: "\"-separated key paths compared without
// regard to case, typed values, a query that reports the type and fails on
// a buffer that is too small while telling the size needed.
//
// The calls work on the store in RegistryStoreSlot. A store lives in
// memory and, once bound to a file, saves itself as one text file after
// every change, or once at the end of a batch of them (RegistryBatch), as
// WriteAndReplaceDiskFile does: whole or not at all, even over a power cut.
// The application installs a store and binds it to its settings file at
// start-up; with nothing installed the calls reach a store that lives in
// memory only, so nothing reaches the user's settings by accident.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// What binding a store to its file found.
enum class RegistryFileState {
    kRead,      // read whole, or not there yet
    kKeptAside, // lines that could not be read were left out, and the file as
                // found was copied aside (see KeepDamagedCopy) before
                // anything replaces it
    kNotKept,   // the same, but the copy could not be made: until it can, the
                // file is not replaced (every save fails)
};
// Binds the current store to the given file (disk path, UTF-8), loading
// what it holds in place of what the store held. A line that cannot be read
// costs that line (a value below a key line that cannot be read has no key
// and goes too); a byte-order mark before the first line is no damage. A
// line ends with LF, CR LF or a lone CR; as every line written is ended,
// a last line without an end was cut and is damage too, and so is text
// from which no key or value could be read. The copy's disk path goes to
// `copyPath` when one was made.
RegistryFileState UseRegistryFile(const std::string& diskPath, std::string* copyPath = nullptr);
// Removes what saves of the current store's file that were killed left
// beside it (see RemoveStaleTemporaries); the disk paths removed.
std::vector<std::string> RemoveStaleRegistryTemporaries();
// Empties the current store and unbinds it from its file.
void UseMemoryRegistry();
// Called, with the store locked (so it must not use the registry), each
// time the current store's file could not be written.
void SetRegistrySaveFailureHandler(std::function<void(const std::string& diskPath)> handler);

// While one lives, changes to the current store are kept in memory; the
// file is written once, when the last open batch ends. Outside a batch
// each change is written at once.
class RegistryBatch {
public:
    RegistryBatch();
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

private:
    std::shared_ptr<RegistryStore> mStore;
};

} // namespace platform
