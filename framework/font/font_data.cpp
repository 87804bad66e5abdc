#include "framework/font/font_data.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "framework/font/font_services.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/path_util.h"
#include "framework/util/string_util.h"
#include "platform/file_system.h"

namespace Kavo {

namespace {

// Parameter count of each command, its name included.
struct CommandShape {
    const char* mName;
    size_t mCount;
    bool mOnLayer; // the first parameter names a layer
};

constexpr CommandShape kCommands[] = {
    {"DEFINE", 3, false},
    {"CREATEHORZSPANRECTLIST", 4, false},
    {"SETDEFAULTPOINTSIZE", 2, false},
    {"SETCHARMAP", 3, false},
    {"CREATELAYER", 2, false},
    {"CREATELAYERFROM", 3, false},
    {"LAYERREQUIRETAGS", 3, true},
    {"LAYEREXCLUDETAGS", 3, true},
    {"LAYERPOINTRANGE", 4, true},
    {"LAYERSETPOINTSIZE", 3, true},
    {"LAYERSETHEIGHT", 3, true},
    {"LAYERSETIMAGE", 3, true},
    {"LAYERSETDRAWMODE", 3, true},
    {"LAYERSETCOLORMULT", 3, true},
    {"LAYERSETCOLORADD", 3, true},
    {"LAYERSETASCENT", 3, true},
    {"LAYERSETASCENTPADDING", 3, true},
    {"LAYERSETLINESPACINGOFFSET", 3, true},
    {"LAYERSETOFFSET", 3, true},
    {"LAYERSETCHARWIDTHS", 4, true},
    {"LAYERSETSPACING", 3, true},
    {"LAYERSETIMAGEMAP", 4, true},
    {"LAYERSETCHAROFFSETS", 4, true},
    {"LAYERSETKERNINGPAIRS", 4, true},
    {"LAYERSETBASEORDER", 3, true},
    {"LAYERSETCHARORDERS", 4, true},
};

const CommandShape* FindCommand(const std::string& upperName) {
    for (const CommandShape& shape : kCommands)
        if (upperName == shape.mName)
            return &shape;
    return nullptr;
}

} // namespace

FontData::FontData() {
    for (int i = 0; i < 256; ++i)
        mCharMap[i] = static_cast<uint8_t>(i);
}

FontData::~FontData() = default;

bool FontData::Load(const std::string& fileName) {
    if (mInitialized)
        return false;
    mFontErrorHeader = "Font Descriptor Error in " + fileName + "\r\n";
    mSourceFile = fileName;
    mErrorReport.clear();
    mInitialized = LoadFile(fileName);
    return true;
}

bool FontData::LoadLegacy(Image* fontImage, const std::string& fileName) {
    if (mInitialized)
        return false;
    FontLayer* layer = AddLayer("", nullptr);
    auto* memoryImage = dynamic_cast<MemoryImage*>(fontImage);
    layer->mImage.SetUnsharedImage(memoryImage, false);
    const int imageHeight = fontImage ? fontImage->mHeight : 0;
    layer->mImageMapHeight = imageHeight;
    layer->mAscent = imageHeight;

    std::FILE* file = platform::OpenFile(fileName, "r");
    if (file == nullptr)
        return false;
    mSourceFile = fileName;

    int spaceWidth = 0;
    int ascent = layer->mAscent;
    const int header = std::fscanf(file, "%d%d", &spaceWidth, &ascent);
    if (header >= 1)
        layer->mCharData[int{' '}].mWidth = spaceWidth;
    if (header >= 2)
        layer->mAscent = ascent;

    // Cells stand side by side; a negative width counts as 0 so that no cell
    // has a negative size, and the run stops growing rather than overflow.
    int64_t x = 0;
    while (!std::feof(file)) {
        char chr[2] = {};
        int width = 0;
        const int read = std::fscanf(file, "%1s%d", chr, &width);
        if (read < 1)
            break;
        if (read < 2)
            width = 0;
        width = std::max(width, 0);
        FontCharData& data = layer->mCharData[static_cast<uint8_t>(chr[0])];
        data.mImageRect = IntRect(static_cast<int>(x), 0, width, imageHeight);
        data.mWidth = width;
        x = std::min<int64_t>(x + width, INT32_MAX / 2);
    }

    for (int upper = 'A'; upper <= 'Z'; ++upper) {
        const int lower = upper - 'A' + 'a';
        if (layer->mCharData[upper].mWidth == 0 && layer->mCharData[lower].mWidth != 0)
            mCharMap[upper] = static_cast<uint8_t>(lower);
    }
    for (int lower = 'a'; lower <= 'z'; ++lower) {
        const int upper = lower - 'a' + 'A';
        if (layer->mCharData[lower].mWidth == 0 && layer->mCharData[upper].mWidth != 0)
            mCharMap[lower] = static_cast<uint8_t>(upper);
    }

    mInitialized = true;
    std::fclose(file);
    return true;
}

bool FontData::Error(const std::string& message) {
    // The first error stops the load; later ones are its echoes.
    if (!mError.empty())
        return false;
    mError = message;
    std::string report = mFontErrorHeader + message;
    if (mCurrentLineNum > 0)
        report += FormatString(" on Line %d:\r\n\r\n", mCurrentLineNum) + mCurrentLine;
    mErrorReport = report;
    if (std::shared_ptr<FontServices> services = FontServicesSlot().Get())
        services->ShowFatalError(report);
    return false;
}

FontLayer* FontData::AddLayer(const std::string& upperName, const FontLayer* source) {
    FontLayer& layer = source ? mFontLayerList.emplace_back(*source) : mFontLayerList.emplace_back(this);
    layer.mFontData = this;
    // A handle copy shares only counted images; an image held by pointer
    // (a legacy sheet) is held by pointer again.
    if (source && !source->mImage.mSharedImage && source->mImage.mUnsharedImage)
        layer.mImage.SetUnsharedImage(source->mImage.mUnsharedImage, false);
    mFontLayerMap[upperName] = &layer;
    return &layer;
}

bool FontData::DataToString(const DataElement* source, std::string* value) {
    return ElementToString(source, value) || Error("Invalid Paramater Type");
}

bool FontData::DataToInt(const DataElement* source, int* value) {
    std::string text;
    if (!DataToString(source, &text))
        return false;
    return StringToInt(text, value) || Error("Invalid Paramater Type");
}

bool FontData::DataToLayer(const DataElement* source, FontLayer** layer) {
    std::string name;
    if (!DataToString(source, &name))
        return false;
    auto found = mFontLayerMap.find(StringToUpper(name));
    if (found == mFontLayerMap.end())
        return Error("Undefined Layer");
    *layer = found->second;
    return true;
}

bool FontData::DataToColor(const DataElement* source, Color* color) {
    bool isList = source->mIsList;
    if (!isList) {
        const DataElement* definition = GetDefine(static_cast<const SingleDataElement*>(source)->mString);
        isList = definition != nullptr && definition->mIsList;
    }
    if (!isList) {
        int packed = 0;
        if (!DataToInt(source, &packed))
            return false;
        *color = Color(packed);
        return true;
    }
    std::vector<double> channels;
    if (!ElementToDoubleVector(source, &channels) || channels.size() != 4)
        return Error("Invalid Paramater Type");
    // Cut to an integer; values past the int range are held at its ends.
    auto channel = [](double value) { return static_cast<int>(std::clamp(value, double{INT_MIN}, double{INT_MAX})); };
    *color = Color(channel(channels[0]), channel(channels[1]), channel(channels[2]), channel(channels[3]));
    return true;
}

bool FontData::DataToChars(const DataElement* source, std::vector<uint8_t>* chars) {
    std::vector<std::string> texts;
    if (!ElementToStringVector(source, &texts))
        return Error("Invalid Paramater Type");
    chars->clear();
    for (const std::string& text : texts) {
        if (text.size() != 1)
            return Error("Invalid Paramater Type");
        chars->push_back(static_cast<uint8_t>(text[0]));
    }
    return true;
}

bool FontData::DataToIntLists(const DataElement* source, size_t size, std::vector<std::vector<int>>* lists) {
    ListDataElement list;
    if (!GetListElement(source, &list))
        return Error("Invalid Paramater Type");
    lists->clear();
    for (const auto& item : list.mElementVector) {
        std::vector<int> values;
        if (!item->mIsList || !ElementToIntVector(item.get(), &values) || values.size() != size)
            return Error("Invalid Paramater Type");
        lists->push_back(std::move(values));
    }
    return true;
}

bool FontData::HandleCommand(const ListDataElement& params) {
    const DataElement* nameElement = params.At(0);
    const std::string command = StringToUpper(
        nameElement->mIsList ? std::string() : static_cast<const SingleDataElement*>(nameElement)->mString);
    const CommandShape* shape = FindCommand(command);
    if (shape == nullptr)
        return Error("Unknown Command");
    if (params.Size() != shape->mCount)
        return Error("Invalid Number of Parameters");

    if (shape->mOnLayer) {
        FontLayer* layer = nullptr;
        return DataToLayer(params.At(1), &layer) && HandleLayerCommand(command, layer, params);
    }
    if (command == "DEFINE")
        return HandleDefine(params);
    if (command == "CREATEHORZSPANRECTLIST")
        return HandleHorzSpanRectList(params);
    if (command == "SETDEFAULTPOINTSIZE")
        return DataToInt(params.At(1), &mDefaultPointSize);
    if (command == "SETCHARMAP")
        return HandleSetCharMap(params);
    return HandleCreateLayer(params, command == "CREATELAYERFROM");
}

bool FontData::HandleDefine(const ListDataElement& params) {
    const DataElement* nameElement = params.At(1);
    if (nameElement->mIsList || IsLiteral(static_cast<const SingleDataElement*>(nameElement)->mString))
        return Error("Invalid Paramater Type");
    const std::string name = StringToUpper(static_cast<const SingleDataElement*>(nameElement)->mString);
    mDefineMap.erase(name);

    const DataElement* value = params.At(2);
    std::unique_ptr<DataElement> stored;
    if (!value->mIsList) {
        const DataElement* definition = GetDefine(static_cast<const SingleDataElement*>(value)->mString);
        stored.reset(definition ? definition->Duplicate() : value->Duplicate());
    } else {
        auto list = std::make_unique<ListDataElement>();
        if (!ResolveNames(static_cast<const ListDataElement*>(value), list.get()))
            return false;
        stored = std::move(list);
    }
    mDefineMap[name] = std::move(stored);
    return true;
}

bool FontData::ResolveNames(const ListDataElement* source, ListDataElement* destination) {
    for (const auto& element : source->mElementVector) {
        if (element->mIsList) {
            auto* child = new ListDataElement();
            destination->Add(child);
            if (!ResolveNames(static_cast<const ListDataElement*>(element.get()), child))
                return false;
            continue;
        }
        const std::string& text = static_cast<const SingleDataElement*>(element.get())->mString;
        if (text.empty() || IsLiteral(text)) {
            destination->Add(element->Duplicate());
            continue;
        }
        const DataElement* definition = GetDefine(text);
        if (definition == nullptr)
            return Error("Unable to Dereference \"" + text + "\"");
        destination->Add(definition->Duplicate());
    }
    return true;
}

bool FontData::HandleHorzSpanRectList(const ListDataElement& params) {
    const DataElement* nameElement = params.At(1);
    if (nameElement->mIsList)
        return Error("Invalid Paramater Type");
    std::vector<int> rect;
    std::vector<int> widths;
    if (!ElementToIntVector(params.At(2), &rect) || rect.size() != 4 || !ElementToIntVector(params.At(3), &widths))
        return Error("Invalid Paramater Type");

    auto list = std::make_unique<ListDataElement>();
    int64_t x = rect[0];
    for (int width : widths) {
        auto* item = new ListDataElement();
        for (int64_t value : {x, int64_t{rect[1]}, int64_t{width}, int64_t{rect[3]}})
            item->Add(new SingleDataElement(FormatString("%d", static_cast<int>(value))));
        list->Add(item);
        x += width;
    }
    mDefineMap[StringToUpper(static_cast<const SingleDataElement*>(nameElement)->mString)] = std::move(list);
    return true;
}

bool FontData::HandleSetCharMap(const ListDataElement& params) {
    std::vector<uint8_t> from;
    std::vector<uint8_t> to;
    if (!DataToChars(params.At(1), &from) || !DataToChars(params.At(2), &to))
        return false;
    if (from.size() != to.size())
        return Error("List Size Mismatch");
    for (size_t i = 0; i < from.size(); ++i)
        mCharMap[from[i]] = to[i];
    return true;
}

bool FontData::HandleCreateLayer(const ListDataElement& params, bool fromSource) {
    std::string name;
    if (!DataToString(params.At(1), &name))
        return false;
    name = StringToUpper(name);
    FontLayer* source = nullptr;
    if (fromSource && !DataToLayer(params.At(2), &source))
        return false;
    if (mFontLayerMap.count(name))
        return Error("Layer Already Exists");
    AddLayer(name, source);
    return true;
}

bool FontData::HandleLayerCommand(const std::string& command, FontLayer* layer, const ListDataElement& params) {
    const DataElement* value = params.At(2);
    if (command == "LAYERREQUIRETAGS" || command == "LAYEREXCLUDETAGS") {
        std::vector<std::string> tags;
        if (!ElementToStringVector(value, &tags))
            return Error("Invalid Paramater Type");
        std::vector<std::string>& into = command == "LAYERREQUIRETAGS" ? layer->mRequiredTags : layer->mExcludedTags;
        for (const std::string& tag : tags)
            into.push_back(StringToUpper(tag));
        return true;
    }
    if (command == "LAYERPOINTRANGE")
        return DataToInt(value, &layer->mMinPointSize) && DataToInt(params.At(3), &layer->mMaxPointSize);
    if (command == "LAYERSETIMAGE")
        return HandleLayerImage(layer, value);
    if (command == "LAYERSETDRAWMODE") {
        int mode = 0;
        if (!DataToInt(value, &mode))
            return false;
        if (mode != 0 && mode != 1)
            return Error("Invalid Paramater Type");
        layer->mDrawMode = mode;
        return true;
    }
    if (command == "LAYERSETCOLORMULT")
        return DataToColor(value, &layer->mColorMult);
    if (command == "LAYERSETCOLORADD")
        return DataToColor(value, &layer->mColorAdd);
    if (command == "LAYERSETOFFSET") {
        std::vector<int> offset;
        if (!ElementToIntVector(value, &offset) || offset.size() != 2)
            return Error("Invalid Paramater Type");
        layer->mOffset = Point(offset[0], offset[1]);
        return true;
    }
    if (command == "LAYERSETIMAGEMAP")
        return HandleImageMap(layer, params);
    if (params.Size() == 4)
        return HandleCharValues(command, layer, params);

    int32_t* field = nullptr;
    if (command == "LAYERSETPOINTSIZE")
        field = &layer->mPointSize;
    else if (command == "LAYERSETHEIGHT")
        field = &layer->mHeight;
    else if (command == "LAYERSETASCENT")
        field = &layer->mAscent;
    else if (command == "LAYERSETASCENTPADDING")
        field = &layer->mAscentPadding;
    else if (command == "LAYERSETLINESPACINGOFFSET")
        field = &layer->mLineSpacingOffset;
    else if (command == "LAYERSETSPACING")
        field = &layer->mSpacing;
    else
        field = &layer->mBaseOrder; // LAYERSETBASEORDER
    return DataToInt(value, field);
}

bool FontData::HandleLayerImage(FontLayer* layer, const DataElement* fileParam) {
    std::string fileName;
    if (!DataToString(fileParam, &fileName))
        return false;
    const std::string path = NormalizePath(fileName, GetFileDir(mSourceFile, true));
    SharedImageHandle image;
    if (std::shared_ptr<FontServices> services = FontServicesSlot().Get())
        image = services->GetSharedImage(path, "");
    if (image.GetImage() == nullptr)
        return Error("Failed to Load Image");
    layer->mImage = std::move(image);
    return true;
}

bool FontData::HandleImageMap(FontLayer* layer, const ListDataElement& params) {
    const MemoryImage* image = layer->mImage.GetImage();
    if (image == nullptr)
        return Error("Layer image not set");
    std::vector<uint8_t> chars;
    std::vector<std::vector<int>> rects;
    if (!DataToChars(params.At(2), &chars) || !DataToIntLists(params.At(3), 4, &rects))
        return false;
    if (chars.size() != rects.size())
        return Error("List Size Mismatch");
    int tallest = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        const std::vector<int>& r = rects[i];
        // Negative sizes are refused along with cells that leave the image.
        const int64_t right = int64_t{r[0]} + r[2];
        const int64_t bottom = int64_t{r[1]} + r[3];
        if (r[0] < 0 || r[1] < 0 || r[2] < 0 || r[3] < 0 || right > image->mWidth || bottom > image->mHeight)
            return Error("Image rectangle out of bounds");
        layer->mCharData[chars[i]].mImageRect = IntRect(r[0], r[1], r[2], r[3]);
        tallest = std::max(tallest, r[3]);
    }
    layer->mDefaultHeight = tallest;
    layer->RecomputeImageMapHeight();
    return true;
}

bool FontData::HandleCharValues(const std::string& command, FontLayer* layer, const ListDataElement& params) {
    if (command == "LAYERSETKERNINGPAIRS") {
        std::vector<std::string> pairs;
        std::vector<int> offsets;
        if (!ElementToStringVector(params.At(2), &pairs) || !ElementToIntVector(params.At(3), &offsets))
            return Error("Invalid Paramater Type");
        if (pairs.size() != offsets.size())
            return Error("List Size Mismatch");
        for (const std::string& pair : pairs)
            if (pair.size() != 2)
                return Error("Invalid Paramater Type");
        for (size_t i = 0; i < pairs.size(); ++i)
            layer->mCharData[static_cast<uint8_t>(pairs[i][0])].mKerningOffsets[static_cast<uint8_t>(pairs[i][1])] =
                static_cast<int8_t>(offsets[i]);
        return true;
    }

    std::vector<uint8_t> chars;
    if (!DataToChars(params.At(2), &chars))
        return false;
    if (command == "LAYERSETCHAROFFSETS") {
        std::vector<std::vector<int>> points;
        if (!DataToIntLists(params.At(3), 2, &points))
            return false;
        if (chars.size() != points.size())
            return Error("List Size Mismatch");
        for (size_t i = 0; i < chars.size(); ++i)
            layer->mCharData[chars[i]].mOffset = Point(points[i][0], points[i][1]);
        return true;
    }
    std::vector<int> values;
    if (!ElementToIntVector(params.At(3), &values))
        return Error("Invalid Paramater Type");
    if (chars.size() != values.size())
        return Error("List Size Mismatch");
    for (size_t i = 0; i < chars.size(); ++i) {
        FontCharData& data = layer->mCharData[chars[i]];
        (command == "LAYERSETCHARWIDTHS" ? data.mWidth : data.mOrder) = values[i];
    }
    return true;
}

} // namespace Kavo
