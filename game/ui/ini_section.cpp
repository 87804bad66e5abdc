#include "game/ui/ini_section.h"

#include "engine/base/string_tools.h"

#include <cstdio>
#include <cstdlib>

namespace Game {

namespace {

unsigned char FoldLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

template <typename T, typename ReadOne>
void ReadList(const IniSection& section, const std::string& listKey, const std::string& singleKey, std::vector<T>& list,
              T defaultValue, int count, ReadOne readOne) {
    std::vector<std::string> pieces;
    com_string::Split(section.GetString(listKey).c_str(), ',', pieces);
    size_t size = pieces.size();
    if (count > 0 && static_cast<size_t>(count) > size)
        size = static_cast<size_t>(count);
    list.assign(size, defaultValue);
    if (pieces.empty()) {
        T single = readOne(section, singleKey, defaultValue);
        for (T& entry : list)
            entry = single;
        return;
    }
    for (size_t i = 0; i < pieces.size(); ++i)
        list[i] = readOne(pieces[i]);
}

} // namespace

bool IniNameLess::operator()(const std::string& a, const std::string& b) const {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = FoldLower(static_cast<unsigned char>(a[i]));
        unsigned char cb = FoldLower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

const std::string* IniSection::FindValue(const std::string& key) const {
    auto it = mKeys.find(key);
    return it == mKeys.end() ? nullptr : &it->second.mValue;
}

int IniSection::GetInt(const std::string& key, int defaultValue) const {
    const std::string* value = FindValue(key);
    return value == nullptr ? defaultValue : std::atoi(value->c_str());
}

float IniSection::GetFloat(const std::string& key, float defaultValue) const {
    const std::string* value = FindValue(key);
    return value == nullptr ? defaultValue : static_cast<float>(std::atof(value->c_str()));
}

std::string& IniSection::GetString(const std::string& key, const char* defaultValue, std::string& out) const {
    const std::string* value = FindValue(key);
    out = value != nullptr ? *value : std::string(defaultValue != nullptr ? defaultValue : "");
    return out;
}

std::string IniSection::GetString(const std::string& key, const char* defaultValue) const {
    std::string out;
    return GetString(key, defaultValue, out);
}

unsigned IniSection::GetHex(const std::string& key, unsigned defaultValue) const {
    const std::string* value = FindValue(key);
    if (value == nullptr)
        return defaultValue;
    unsigned result = 0;
    if (std::sscanf(value->c_str(), "%x", &result) != 1)
        return 0;
    return result;
}

void IniSection::GetIntList(const std::string& listKey, const std::string& singleKey, std::vector<int>& list,
                            int defaultValue, int count) const {
    struct Reader {
        int operator()(const IniSection& s, const std::string& key, int def) const { return s.GetInt(key, def); }
        int operator()(const std::string& piece) const {
            int value = 0;
            return std::sscanf(piece.c_str(), "%d", &value) == 1 ? value : 0;
        }
    };
    ReadList(*this, listKey, singleKey, list, defaultValue, count, Reader());
}

void IniSection::GetFloatList(const std::string& listKey, const std::string& singleKey, std::vector<float>& list,
                              float defaultValue, int count) const {
    struct Reader {
        float operator()(const IniSection& s, const std::string& key, float def) const { return s.GetFloat(key, def); }
        float operator()(const std::string& piece) const {
            float value = 0;
            return std::sscanf(piece.c_str(), "%f", &value) == 1 ? value : 0.0f;
        }
    };
    ReadList(*this, listKey, singleKey, list, defaultValue, count, Reader());
}

} // namespace Game
