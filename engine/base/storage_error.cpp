#include "engine/base/storage_error.h"

namespace {

const char* const kCodeTexts[] = {
    nullptr,
    "Generic error",
    "Invalid argument",
    "Invalid directory",
    "Invalid file handle",
    "Invalid storage handle",
    "Invalid File Mode",
    "Open stream error",
    "Open storage error",
    "Create storage error",
    "Open file error",
    "File is already used",
    "Invalid storage mode",
    "File size error",
    "Seek error",
    "Read error",
    "Write error",
    "Stat error",
    "Deleting error",
    "Memory error",
    "File is already exist",
    "Storage is already exist",
    "Function is not realized",
};

const char* const kModeLines[] = {
    "Mode=TestFilePresent", "Mode=TestDirPresent", "Mode=seek",       "Mode=size",     "Mode=openStg",
    "Mode=openFileRead",    "Mode=openFileWrite",  "Mode=CloseFile",  "Mode=ReadFile", "Mode=WriteFile",
    "Mode=CreateDir",       "Mode=DeleteDir",      "Mode=DeleteFile",
};

} // namespace

const char* errStg_e::CodeText(std::int32_t code) {
    constexpr std::int32_t count = sizeof kCodeTexts / sizeof kCodeTexts[0];
    if (code < 1 || code >= count)
        return "Unknown error";
    return kCodeTexts[code];
}

std::string errStg_e::Message() const {
    std::string text = CodeText(mCode);
    text += "\r\nStorage name : ";
    text += mStorageName;
    text += "\r\nFile name : ";
    text += mFileName;
    if (mMode == kStgModeNone)
        return text;
    text += "\r\n";
    constexpr std::int32_t lines = sizeof kModeLines / sizeof kModeLines[0];
    if (mMode >= 0 && mMode < lines)
        text += kModeLines[mMode];
    return text;
}
