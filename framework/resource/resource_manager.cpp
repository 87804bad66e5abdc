#include "framework/resource/resource_manager.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "framework/pak/pak_interface.h"
#include "framework/parser/xml_parser.h"
#include "framework/util/string_util.h"

namespace Kavo {

namespace {

const std::string* FindAttribute(const XMLElement& element, const char* name) {
    auto found = element.mAttributes.find(name);
    return found == element.mAttributes.end() ? nullptr : &found->second;
}

bool HasAttribute(const XMLElement& element, const char* name) {
    return FindAttribute(element, name) != nullptr;
}

std::string AttributeOr(const XMLElement& element, const char* name, const std::string& fallback) {
    const std::string* value = FindAttribute(element, name);
    return value != nullptr ? *value : fallback;
}

// More cels across or down than any image strip holds.
constexpr int kMaxCelsPerSide = 4096;

// Decimal conversion that stops at the first non-digit: leading blanks and
// a sign, then digits; nothing readable is 0. Clamped to the int range.
int LeadingInt(const std::string& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The value when something could be scanned, otherwise the fallback.
double ScanDouble(const std::string& text, double fallback) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? fallback : value;
}

int ScanInt(const std::string& text, int fallback) {
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    return end == text.c_str() ? fallback : static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

uint32_t ScanHex(const std::string& text, uint32_t fallback) {
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 16);
    return end == text.c_str() ? fallback : static_cast<uint32_t>(value);
}

std::vector<int32_t> IntList(const std::string& text) {
    std::vector<int32_t> values;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        values.push_back(LeadingInt(text.substr(start, comma - start)));
        start = comma + 1;
    }
    return values;
}

std::string WithoutTrailingSlash(std::string text) {
    if (!text.empty() && (text.back() == '\\' || text.back() == '/'))
        text.pop_back();
    return text;
}

// The file name of the path without its extension.
std::string FileTitle(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

ResourceManager::ResourceManager(std::unique_ptr<ResourceAppServices> services) : mServices(std::move(services)) {}

ResourceManager::~ResourceManager() {
    for (ResMap* map : {&mImageMap, &mSoundMap, &mFontMap}) {
        for (auto& [id, res] : *map)
            res->DeleteResource();
        map->clear();
    }
}

bool ResourceManager::Fail(const std::string& error) {
    if (mHasFailed)
        return false;
    mHasFailed = true;
    mError = error;
    if (mXMLParser != nullptr) {
        if (mXMLParser->mLineNum > 0)
            mError += " on Line " + std::to_string(mXMLParser->mLineNum);
        if (!mXMLParser->GetFileName().empty())
            mError += " in File '" + mXMLParser->GetFileName() + "'";
    }
    return false;
}

bool ResourceManager::ReadElement(XMLElement& element) {
    while (mXMLParser->ReadNextElement(&element)) {
        if (element.mType == XMLElement::TYPE_START || element.mType == XMLElement::TYPE_END ||
            element.mType == XMLElement::TYPE_ELEMENT)
            return true;
    }
    return false;
}

bool ResourceManager::LoadManifest(const std::string& fileName) {
    XMLParser parser;
    mXMLParser = &parser;
    if (!parser.OpenFile(fileName)) {
        // Named with where it was looked for: a missing or damaged archive
        // is the usual cause.
        const auto reader = PakReaderSlot().Get();
        const std::string places = reader != nullptr ? reader->DescribeSources() : std::string();
        Fail("Resource file not found: " + fileName + (places.empty() ? "" : " (looked in " + places + ")"));
    } else if (!ReadManifestBody() && parser.mHasFailed) {
        Fail(parser.GetErrorText());
    }
    mXMLParser = nullptr;
    return !mHasFailed;
}

bool ResourceManager::ReadManifestBody() {
    XMLElement element;
    bool started = false;
    while (!started && ReadElement(element))
        started = element.mType == XMLElement::TYPE_START;
    if (mXMLParser->mHasFailed)
        return false;
    if (!started || element.mValue != "ResourceManifest")
        return Fail("Expecting ResourceManifest tag");
    while (ReadElement(element)) {
        // Only the manifest's own end tag can stand here: the parser matches
        // end tags to their start.
        if (element.mType == XMLElement::TYPE_END)
            return true;
        if (element.mType == XMLElement::TYPE_ELEMENT)
            return Fail("Element Not Expected '" + element.mValue + "'");
        if (element.mValue != "Resources")
            return Fail("Invalid Section '" + element.mValue + "'");
        mCurResGroup = AttributeOr(element, "id", "");
        if (mCurResGroup.empty())
            return Fail("No id specified.");
        mResGroupMap[mCurResGroup]; // a group may have no records
        if (!ReadGroupChildren())
            return false;
    }
    // A document cut short is not a whole manifest.
    return mXMLParser->mHasFailed ? false : Fail("Unexpected End of File");
}

bool ResourceManager::ReadGroupChildren() {
    XMLElement element;
    while (ReadElement(element)) {
        if (element.mType == XMLElement::TYPE_END)
            return true;
        if (element.mType == XMLElement::TYPE_ELEMENT)
            return Fail("Element Not Expected '" + element.mValue + "'");
        bool read = false;
        if (element.mValue == "Image")
            read = ReadImageElement(element);
        else if (element.mValue == "Sound")
            read = ReadSoundElement(element);
        else if (element.mValue == "Font")
            read = ReadFontElement(element);
        else if (element.mValue == "SetDefaults")
            read = ReadDefaultsElement(element);
        else
            return Fail("Invalid Section '" + element.mValue + "'");
        if (!read)
            return false;
        XMLElement closing;
        if (!ReadElement(closing))
            break;
        if (closing.mType != XMLElement::TYPE_END)
            return Fail("Unexpected element found.");
    }
    return mXMLParser->mHasFailed ? false : Fail("Unexpected End of File");
}

bool ResourceManager::ReadDefaultsElement(const XMLElement& element) {
    // An empty path means no prefix at all: a lone "/" would make every
    // resource path absolute.
    if (const std::string* path = FindAttribute(element, "path")) {
        mDefaultPath = WithoutTrailingSlash(*path);
        if (!mDefaultPath.empty())
            mDefaultPath += '/';
    }
    if (const std::string* prefix = FindAttribute(element, "idprefix"))
        mDefaultIdPrefix = WithoutTrailingSlash(*prefix);
    return true;
}

bool ResourceManager::ReadCommonAttributes(const XMLElement& element, std::unique_ptr<BaseRes> res, ResMap& map) {
    std::string path = AttributeOr(element, "path", "");
    if (path.empty())
        return Fail("No path specified.");
    res->mXMLAttributes = element.mAttributes;
    res->mFromProgram = false;
    if (path[0] != '!')
        path = mDefaultPath + path;
    else if (path == "!program")
        res->mFromProgram = true;
    res->mPath = path;

    const std::string* id = FindAttribute(element, "id");
    res->mId = mDefaultIdPrefix + (id != nullptr ? *id : FileTitle(path));
    res->mResGroup = mCurResGroup;

    BaseRes* record = res.get();
    auto [found, inserted] = map.try_emplace(record->mId, std::move(res));
    if (!inserted)
        return Fail("Resource already defined.");
    mResGroupMap[mCurResGroup].push_back(record);
    return true;
}

bool ResourceManager::ReadSoundElement(const XMLElement& element) {
    auto owned = std::make_unique<SoundRes>(mServices.get());
    SoundRes* res = owned.get();
    if (!ReadCommonAttributes(element, std::move(owned), mSoundMap))
        return false;
    if (const std::string* volume = FindAttribute(element, "volume"))
        res->mVolume = ScanDouble(*volume, res->mVolume);
    if (const std::string* pan = FindAttribute(element, "pan"))
        res->mPanning = ScanInt(*pan, res->mPanning);
    return true;
}

bool ResourceManager::ReadImageElement(const XMLElement& element) {
    auto owned = std::make_unique<ImageRes>();
    ImageRes* res = owned.get();
    if (!ReadCommonAttributes(element, std::move(owned), mImageMap))
        return false;

    res->mPalletize = !HasAttribute(element, "nopal");
    res->mA4R4G4B4 = HasAttribute(element, "a4r4g4b4");
    res->mA8R8G8B8 = HasAttribute(element, "a8r8g8b8");
    res->mMinimizeSubdivisions = HasAttribute(element, "minsubdivide");
    res->mDDSurface = HasAttribute(element, "ddsurface");
    const bool uses3D = mServices->UsesHardware3D();
    res->mPurgeBits = HasAttribute(element, "nobits") || (uses3D && HasAttribute(element, "nobits3d")) ||
                      (!uses3D && HasAttribute(element, "nobits2d"));
    if (const std::string* alpha = FindAttribute(element, "alphaimage"))
        res->mAlphaImage = mDefaultPath + *alpha;
    if (const std::string* color = FindAttribute(element, "alphacolor"))
        res->mAlphaColor = ScanHex(*color, res->mAlphaColor);
    res->mVariant = AttributeOr(element, "variant", "");
    if (const std::string* grid = FindAttribute(element, "alphagrid"))
        res->mAlphaGridImage = mDefaultPath + *grid;
    // No row or column count below 1: cel sizes divide by them. Nor one no
    // real strip has: an animation keeps a table entry per cel, and a damaged
    // count would ask for gigabytes of them before any image is read.
    if (const std::string* rows = FindAttribute(element, "rows"))
        res->mRows = std::max(1, LeadingInt(*rows));
    if (const std::string* cols = FindAttribute(element, "cols"))
        res->mCols = std::max(1, LeadingInt(*cols));
    if (res->mRows > kMaxCelsPerSide || res->mCols > kMaxCelsPerSide)
        return Fail("Too many rows or columns.");

    const std::string anim = StringToLower(AttributeOr(element, "anim", "none"));
    AnimInfo& info = res->mAnimInfo;
    if (anim == "none")
        info.mAnimType = AnimInfo::AnimType_None;
    else if (anim == "once")
        info.mAnimType = AnimInfo::AnimType_Once;
    else if (anim == "loop")
        info.mAnimType = AnimInfo::AnimType_Loop;
    else if (anim == "pingpong")
        info.mAnimType = AnimInfo::AnimType_PingPong;
    else
        return Fail("Invalid animation type.");

    if (info.mAnimType != AnimInfo::AnimType_None) {
        if (const std::string* delay = FindAttribute(element, "framedelay"))
            info.mFrameDelay = LeadingInt(*delay);
        const int beginDelay = LeadingInt(AttributeOr(element, "begindelay", "0"));
        const int endDelay = LeadingInt(AttributeOr(element, "enddelay", "0"));
        if (const std::string* delays = FindAttribute(element, "perframedelay"))
            info.mPerFrameDelay = IntList(*delays);
        if (const std::string* frames = FindAttribute(element, "framemap"))
            info.mFrameMap = IntList(*frames);
        info.Compute(std::max(res->mRows, res->mCols), beginDelay, endDelay);
    }
    return true;
}

bool ResourceManager::ReadFontElement(const XMLElement& element) {
    auto owned = std::make_unique<FontRes>();
    FontRes* res = owned.get();
    if (!ReadCommonAttributes(element, std::move(owned), mFontMap))
        return false;

    res->mImagePath = AttributeOr(element, "image", "");
    res->mTags = AttributeOr(element, "tags", "");
    if (res->mPath.compare(0, 5, "!sys:") == 0) {
        res->mSysFont = true;
        res->mPath = res->mPath.substr(5);
        res->mSize = LeadingInt(AttributeOr(element, "size", "0"));
        if (res->mSize < 1)
            return Fail("SysFont needs point size");
        res->mBold = HasAttribute(element, "bold");
        res->mItalic = HasAttribute(element, "italic");
        res->mUnderline = HasAttribute(element, "underline");
        res->mShadow = HasAttribute(element, "shadow");
    }
    return true;
}

} // namespace Kavo
