#pragma once
// The parsed bitmap-font descriptor, shared by reference count between the
// fonts made from it.

#include <list>
#include <map>
#include <string>
#include <vector>

#include "framework/font/font_layer.h"
#include "framework/parser/desc_parser.h"

namespace Kavo {

class Image;

class FontData : public DescParser {
public:
    bool mInitialized = false;
    int32_t mRefCount = 0;
    int32_t mDefaultPointSize = 0;
    uint8_t mCharMap[256];
    // Stable addresses: fonts point at their layers.
    std::list<FontLayer> mFontLayerList;
    std::map<std::string, FontLayer*> mFontLayerMap; // upper-case name
    std::string mSourceFile;
    std::string mFontErrorHeader;

    FontData();
    ~FontData() override;

    // False when already loaded; otherwise reads the descriptor, keeps the
    // outcome in mInitialized and returns true.
    bool Load(const std::string& fileName);
    // One layer cut from one row of the image (which the caller keeps alive),
    // described by an older format: "space-advance ascent" then pairs of a
    // character and its width. False when already loaded or when the file
    // does not open.
    bool LoadLegacy(Image* fontImage, const std::string& fileName);

    // Reports the first error of a load to the font services' fatal-error
    // sink, with the line and text of the command being read.
    bool Error(const std::string& message) override;
    bool HandleCommand(const ListDataElement& params) override;

    // The full text of the first report of the last load ("" when none).
    std::string mErrorReport;

private:
    bool DataToLayer(const DataElement* source, FontLayer** layer);
    bool DataToInt(const DataElement* source, int* value);
    bool DataToString(const DataElement* source, std::string* value);
    bool DataToColor(const DataElement* source, Color* color);
    // Characters of a list: one byte each.
    bool DataToChars(const DataElement* source, std::vector<uint8_t>* chars);
    // A list of lists of `size` integers each.
    bool DataToIntLists(const DataElement* source, size_t size, std::vector<std::vector<int>>* lists);
    FontLayer* AddLayer(const std::string& upperName, const FontLayer* source);

    bool HandleDefine(const ListDataElement& params);
    // DerefList that keeps quoted strings quoted, so that a defined list
    // reads later exactly as the list written in place would.
    bool ResolveNames(const ListDataElement* source, ListDataElement* destination);
    bool HandleHorzSpanRectList(const ListDataElement& params);
    bool HandleSetCharMap(const ListDataElement& params);
    bool HandleCreateLayer(const ListDataElement& params, bool fromSource);
    bool HandleLayerCommand(const std::string& command, FontLayer* layer, const ListDataElement& params);
    bool HandleLayerImage(FontLayer* layer, const DataElement* fileParam);
    bool HandleImageMap(FontLayer* layer, const ListDataElement& params);
    bool HandleCharValues(const std::string& command, FontLayer* layer, const ListDataElement& params);
};

} // namespace Kavo
