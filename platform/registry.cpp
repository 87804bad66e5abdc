#include "platform/registry.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <vector>

#include "platform/damaged_copy.h"
#include "platform/file_system.h"
#include "platform/stale_temporaries.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

struct Value {
    std::string name;
    std::uint32_t type = kRegNone;
    std::string data;
};

struct Node {
    std::string name;
    std::map<std::string, std::unique_ptr<Node>> children; // by folded name
    std::map<std::string, Value> values;                   // by folded name
};

std::string Fold(std::string_view text) {
    return Cp1251FoldCase(text);
}

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (i > start)
                parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string JoinKeyPath(std::string_view parent, std::string_view sub) {
    std::string out;
    for (std::string_view part : SplitKeyPath(parent))
        out.append(part).push_back('\\');
    for (std::string_view part : SplitKeyPath(sub))
        out.append(part).push_back('\\');
    if (!out.empty())
        out.pop_back();
    return out;
}

// ---- Text form ---------------------------------------------------------------

// The first line of every file written here.
constexpr std::string_view kHeader = "# settings of the current user";

// Names are UTF-8 in the file with the few bytes that carry meaning there
// written as %XX, so that any name survives.
std::string Escape(std::string_view cp1251) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (char c : Cp1251ToUtf8(cp1251)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == '%' || c == '\\' || c == '[' || c == ']' || c == '"' || c == '=') {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool Unescape(std::string_view text, std::string& cp1251) {
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            utf8 += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        utf8 += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    cp1251 = Utf8ToCp1251(utf8);
    return true;
}

} // namespace

class RegistryStore {
public:
    std::mutex mutex;
    Node root;
    std::string file; // empty: memory only
    // A damaged file not yet copied to "<file>.bad": it is not replaced until it is.
    bool keepAsideFirst = false;
    // Open batches (RegistryBatch): while any is open a change is only noted.
    int batches = 0;
    bool unsaved = false;
    std::string lastWritten; // what the file holds since this run wrote it
    std::function<void(const std::string& diskPath)> saveFailed;
    std::string failedFile; // a save that failed, told once the lock is released

    Node* Find(std::string_view path) {
        Node* node = &root;
        for (std::string_view part : SplitKeyPath(path)) {
            auto it = node->children.find(Fold(part));
            if (it == node->children.end())
                return nullptr;
            node = it->second.get();
        }
        return node;
    }

    Node* Create(std::string_view path) {
        Node* node = &root;
        for (std::string_view part : SplitKeyPath(path)) {
            auto& child = node->children[Fold(part)];
            if (!child) {
                child = std::make_unique<Node>();
                child->name = std::string(part);
            }
            node = child.get();
        }
        return node;
    }

    // A change: written now, or when the last open batch ends.
    void Changed() {
        unsaved = true;
        if (batches == 0)
            Save();
    }

    void Save() {
        if (file.empty() || !unsaved)
            return;
        std::string text = std::string(kHeader) + "\n";
        WriteNode(root, "", text);
        if (text == lastWritten) {
            unsaved = false;
            return;
        }
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
        if (keepAsideFirst)
            keepAsideFirst = KeepDamagedCopy(file, WriteAndReplaceDiskFile).empty();
        if (keepAsideFirst || !WriteAndReplaceDiskFile(file, text)) {
            failedFile = file;
            return;
        }
        unsaved = false;
        lastWritten = std::move(text);
    }

    // Every line that can be read goes into the store; false when a line
    // could not be (its value is lost) or the file could not be read.
    bool Load(const std::string& path) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            return true;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad())
            return false;
        std::string_view rest = text;
        // The byte-order mark an editor may put before the first line.
        if (rest.substr(0, 3) == "\xEF\xBB\xBF")
            rest.remove_prefix(3);
        bool whole = true;
        bool readSome = false;  // a key or a value
        bool otherText = false; // a comment the program does not write
        Node* current = nullptr;
        while (!rest.empty()) {
            // A line ends with CR LF, LF or a lone CR. Every line written
            // here is ended, so one without an end was cut short.
            const std::size_t end = rest.find_first_of("\r\n");
            if (end == std::string_view::npos) {
                whole = false;
                break;
            }
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));
            if (line.empty() || line == kHeader)
                continue;
            if (line[0] == '#') {
                otherText = true;
                continue;
            }
            if (line[0] == '[') {
                std::string keyPath;
                // The values below a key that cannot be read have no place.
                current = nullptr;
                if (line.back() == ']' && UnescapePath(line.substr(1, line.size() - 2), keyPath))
                    current = Create(keyPath);
                whole = whole && current != nullptr;
                readSome = readSome || current != nullptr;
                continue;
            }
            const bool read = current != nullptr && ParseValue(line, *current);
            whole = whole && read;
            readSome = readSome || read;
        }
        // Text from which nothing could be read (a file whose line ends were
        // lost reads as one comment) is damage, not an empty store.
        return whole && (readSome || !otherText);
    }

private:
    static void WriteNode(const Node& node, const std::string& path, std::string& text) {
        if (!path.empty()) {
            text += "[" + path + "]\n";
            for (const auto& [folded, value] : node.values) {
                text += value.name.empty() ? std::string("@") : "\"" + Escape(value.name) + "\"";
                if (value.type == kRegDword && value.data.size() == 4) {
                    std::uint32_t v = 0;
                    std::memcpy(&v, value.data.data(), 4);
                    char buf[32];
                    std::snprintf(buf, sizeof buf, "=dword:%08x\n", v);
                    text += buf;
                } else {
                    char buf[32];
                    std::snprintf(buf, sizeof buf, "=hex(%u):", value.type);
                    text += buf;
                    for (std::size_t i = 0; i < value.data.size(); ++i) {
                        std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", static_cast<unsigned char>(value.data[i]));
                        text += buf;
                    }
                    text += "\n";
                }
            }
        }
        for (const auto& [folded, child] : node.children)
            WriteNode(*child, path.empty() ? Escape(child->name) : path + "\\" + Escape(child->name), text);
    }

    static bool UnescapePath(std::string_view text, std::string& path) {
        path.clear();
        for (std::string_view part : SplitKeyPath(text)) {
            std::string name;
            if (!Unescape(part, name))
                return false;
            if (!path.empty())
                path += '\\';
            path += name;
        }
        return !path.empty();
    }

    static bool ParseValue(std::string_view line, Node& node) {
        Value value;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] == '"') {
            const std::size_t close = line.find('"', 1);
            if (close == std::string_view::npos || !Unescape(line.substr(1, close - 1), value.name))
                return false;
            pos = close + 1;
        } else {
            return false;
        }
        if (pos >= line.size() || line[pos] != '=')
            return false;
        std::string_view rest = line.substr(pos + 1);
        if (rest.substr(0, 6) == "dword:") {
            rest.remove_prefix(6);
            // As the system's own text form: up to eight digits, leading zeros optional.
            if (rest.empty() || rest.size() > 8)
                return false;
            std::uint32_t v = 0;
            for (char c : rest) {
                const int d = HexDigit(c);
                if (d < 0)
                    return false;
                v = v * 16 + static_cast<std::uint32_t>(d);
            }
            value.type = kRegDword;
            value.data.assign(reinterpret_cast<const char*>(&v), 4);
        } else if (rest.substr(0, 4) == "hex(") {
            const std::size_t close = rest.find("):");
            if (close == std::string_view::npos || close == 4)
                return false;
            std::uint32_t type = 0;
            for (char c : rest.substr(4, close - 4)) {
                if (c < '0' || c > '9' || type > 100000000)
                    return false;
                type = type * 10 + static_cast<std::uint32_t>(c - '0');
            }
            value.type = type;
            std::string_view bytes = rest.substr(close + 2);
            for (std::size_t i = 0; i < bytes.size(); i += 3) {
                if (i + 1 >= bytes.size())
                    return false;
                const int hi = HexDigit(bytes[i]), lo = HexDigit(bytes[i + 1]);
                if (hi < 0 || lo < 0 || (i + 2 < bytes.size() && bytes[i + 2] != ','))
                    return false;
                value.data += static_cast<char>(hi * 16 + lo);
            }
        } else {
            return false;
        }
        node.values[Fold(value.name)] = std::move(value);
        return true;
    }
};

namespace {

// Holds the store locked. A save that failed meanwhile is told once the
// lock is released, so that the handler may use the registry itself.
class StoreLock {
public:
    explicit StoreLock(RegistryStore& store) : mStore(store) { mStore.mutex.lock(); }
    ~StoreLock() {
        std::string failed;
        failed.swap(mStore.failedFile);
        std::function<void(const std::string&)> handler;
        if (!failed.empty())
            handler = mStore.saveFailed;
        mStore.mutex.unlock();
        if (handler)
            handler(failed);
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    RegistryStore& mStore;
};

// The current store, held by the caller for the length of its call.
std::shared_ptr<RegistryStore> CurrentStore() {
    if (auto installed = RegistryStoreSlot().Get())
        return installed;
    static const auto* standIn = new std::shared_ptr<RegistryStore>(NewRegistryStore());
    return *standIn;
}

} // namespace

ProcessSlot<RegistryStore>& RegistryStoreSlot() {
    static ProcessSlot<RegistryStore> slot;
    return slot;
}

std::shared_ptr<RegistryStore> NewRegistryStore() {
    return std::make_shared<RegistryStore>();
}

RegResult RegCreateKey(const RegKey& parent, std::string_view subPath, RegKey& result) {
    if (!parent.open)
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    if (!store.Find(parent.path))
        return kRegNotFound;
    const std::string path = JoinKeyPath(parent.path, subPath);
    if (!store.Find(path)) {
        store.Create(path);
        store.Changed();
    }
    result = RegKey{path, true};
    return kRegOk;
}

RegResult RegOpenKey(const RegKey& parent, std::string_view subPath, RegKey& result) {
    if (!parent.open)
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    const std::string path = JoinKeyPath(parent.path, subPath);
    if (!store.Find(path))
        return kRegNotFound;
    result = RegKey{path, true};
    return kRegOk;
}

void RegCloseKey(RegKey& key) {
    key = RegKey{};
}

RegResult RegSetValue(const RegKey& key, std::string_view name, std::uint32_t type, const void* data,
                      std::uint32_t size) {
    if (!key.open || (size != 0 && !data))
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    Node* node = store.Find(key.path);
    if (!node || node == &store.root)
        return node ? kRegAccessDenied : kRegNotFound;
    Value& value = node->values[Fold(name)];
    value.name = std::string(name);
    value.type = type;
    value.data.assign(static_cast<const char*>(data), size);
    store.Changed();
    return kRegOk;
}

RegResult RegQueryValue(const RegKey& key, std::string_view name, std::uint32_t* type, void* data,
                        std::uint32_t* size) {
    if (!key.open || (data && !size))
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    Node* node = store.Find(key.path);
    if (!node)
        return kRegNotFound;
    auto it = node->values.find(Fold(name));
    if (it == node->values.end())
        return kRegNotFound;
    const Value& value = it->second;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (type)
        *type = value.type;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return kRegMoreData;
        }
        std::memcpy(data, value.data.data(), needed);
    }
    if (size)
        *size = needed;
    return kRegOk;
}

RegResult RegDeleteValue(const RegKey& key, std::string_view name) {
    if (!key.open)
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    Node* node = store.Find(key.path);
    if (!node)
        return kRegNotFound;
    if (node->values.erase(Fold(name)) == 0)
        return kRegNotFound;
    store.Changed();
    return kRegOk;
}

namespace {

RegResult DeleteKey(const RegKey& parent, std::string_view subPath, bool withSubkeys) {
    if (!parent.open)
        return kRegInvalidParameter;
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    const std::string path = JoinKeyPath(parent.path, subPath);
    const auto parts = SplitKeyPath(path);
    if (parts.empty())
        return kRegAccessDenied; // the root stays
    Node* node = store.Find(path);
    if (!node)
        return kRegNotFound;
    if (!withSubkeys && !node->children.empty())
        return kRegAccessDenied;
    Node* owner = store.Find(path.substr(0, path.size() - parts.back().size()));
    owner->children.erase(Fold(parts.back()));
    store.Changed();
    return kRegOk;
}

} // namespace

RegResult RegDeleteKey(const RegKey& parent, std::string_view subPath) {
    return DeleteKey(parent, subPath, false);
}

RegResult RegDeleteTree(const RegKey& parent, std::string_view subPath) {
    return DeleteKey(parent, subPath, true);
}

std::string DefaultRegistryFile() {
    return GetConfigFolder() + "/kavo/registry.txt";
}

RegistryFileState UseRegistryFile(const std::string& diskPath, std::string* copyPath) {
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    store.root = Node{};
    store.file = diskPath;
    store.unsaved = false;
    store.lastWritten.clear();
    store.keepAsideFirst = false;
    if (store.Load(diskPath))
        return RegistryFileState::kRead;
    const std::string copy = KeepDamagedCopy(diskPath, WriteAndReplaceDiskFile);
    if (copyPath != nullptr)
        *copyPath = copy;
    store.keepAsideFirst = copy.empty();
    return store.keepAsideFirst ? RegistryFileState::kNotKept : RegistryFileState::kKeptAside;
}

std::vector<std::string> RemoveStaleRegistryTemporaries() {
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    if (store.file.empty())
        return {};
    const std::filesystem::path file(store.file);
    const std::string name = file.filename().string();
    return RemoveStaleTemporaries(file.parent_path().string(), [&](const std::string& written) {
        return written == name || platform::DamagedCopyOriginal(written) == name;
    });
}

void UseMemoryRegistry() {
    const auto held = CurrentStore();
    RegistryStore& store = *held;
    const StoreLock lock(store);
    store.root = Node{};
    store.file.clear();
    store.unsaved = false;
    store.lastWritten.clear();
    store.keepAsideFirst = false;
}

void SetRegistrySaveFailureHandler(std::function<void(const std::string& diskPath)> handler) {
    const auto held = CurrentStore();
    std::lock_guard lock(held->mutex);
    held->saveFailed = std::move(handler);
}

RegistryBatch::RegistryBatch() : mStore(CurrentStore()) {
    std::lock_guard lock(mStore->mutex);
    ++mStore->batches;
}

RegistryBatch::~RegistryBatch() {
    const StoreLock lock(*mStore);
    if (--mStore->batches == 0)
        mStore->Save();
}

} // namespace platform
