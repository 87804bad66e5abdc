#pragma once
// One section of an INI document: keys and their values, ordered and
// matched without regard to ASCII letter case.

#include <map>
#include <string>
#include <vector>

namespace Game {

// Orders names by their bytes with the ASCII letters folded to lower case,
// so "_" sorts before the letters and "[A]" and "[a]" name one entry.
struct IniNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct IniValue {
    std::string mValue;
    std::string mComment; // the ";" lines above the key, each ending in CR LF
};

class IniSection {
public:
    using KeyMap = std::map<std::string, IniValue, IniNameLess>;

    class IniKeyIterator {
    public:
        explicit IniKeyIterator(KeyMap::const_iterator it) : mIt(it) {}
        const char* Name() const { return mIt->first.c_str(); }
        const char* ValueText() const { return mIt->second.mValue.c_str(); }
        IniKeyIterator& operator++() {
            ++mIt;
            return *this;
        }
        bool operator!=(const IniKeyIterator& other) const { return mIt != other.mIt; }
        bool operator==(const IniKeyIterator& other) const { return mIt == other.mIt; }

    private:
        KeyMap::const_iterator mIt;
    };

    IniKeyIterator Begin() const { return IniKeyIterator(mKeys.begin()); }
    IniKeyIterator End() const { return IniKeyIterator(mKeys.end()); }
    IniKeyIterator Find(const std::string& key) const { return IniKeyIterator(mKeys.find(key)); }
    bool HasKey(const std::string& key) const { return mKeys.count(key) != 0; }
    size_t GetKeyCount() const { return mKeys.size(); }

    // Each getter gives the default only when the key is missing; a present
    // value that holds no number reads as 0.
    int GetInt(const std::string& key, int defaultValue) const;
    float GetFloat(const std::string& key, float defaultValue) const;
    std::string& GetString(const std::string& key, const char* defaultValue, std::string& out) const;
    std::string GetString(const std::string& key, const char* defaultValue = "") const;
    // A value without hexadecimal digits reads as 0.
    unsigned GetHex(const std::string& key, unsigned defaultValue) const;

    // A comma list under `listKey`, else `count` copies of the value under
    // `singleKey` (see the .cpp). A piece that is no number gives 0.
    void GetIntList(const std::string& listKey, const std::string& singleKey, std::vector<int>& list, int defaultValue,
                    int count) const;
    void GetFloatList(const std::string& listKey, const std::string& singleKey, std::vector<float>& list,
                      float defaultValue, int count) const;

    // Finds or creates the key's record.
    IniValue& Record(const std::string& key) { return mKeys[key]; }
    const KeyMap& Keys() const { return mKeys; }

    std::string mComment;

private:
    const std::string* FindValue(const std::string& key) const;

    KeyMap mKeys;
};

} // namespace Game
