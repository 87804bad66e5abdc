// Loads a JPEG 2000 picture through the file API; the first byte chooses
// the raw codestream or the boxed form, as the file name would.
#include "fuzz/image_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const char* extension = (data[0] & 1) ? ".jp2" : ".j2k";
    return Kavo::fuzz::LoadImageInput(data + 1, size - 1, extension, &Kavo::ImageLib::LoadJpeg2000);
}
