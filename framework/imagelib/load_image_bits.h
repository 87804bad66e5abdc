#pragma once

#include <string>

namespace Kavo {

class MemoryImage;

// Decodes the file (with its alpha companion, as ImageLib::LoadImageFile)
// into the image: its pixels, size and file path. False, with the image
// untouched, when the file does not decode.
bool LoadImageBits(MemoryImage& image, const std::string& fileName, bool commitBits);

} // namespace Kavo
