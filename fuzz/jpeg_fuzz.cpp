// Loads a JPEG picture through the file API.
#include "fuzz/image_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return Kavo::fuzz::LoadImageInput(data, size, ".jpg", &Kavo::ImageLib::LoadJpeg);
}
