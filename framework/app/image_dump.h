#pragma once
// The image dump: an HTML page listing every live memory image, largest
// first, with what each holds (pixels, palette, surface, texture, flags,
// derived buffers) and its byte counts, and beside the page each image as
// "img%04d.png" and a 64 x 64 nearest-pixel thumbnail "thumb%04d.jpg".

#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/texture_facts.h"
#include "framework/imagelib/image_lib.h"

namespace Kavo {

class MemoryImage;

struct ImageDumpEntry {
    MemoryImage* image = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    uint64_t bits = 0;    // the 32-bit pixels
    uint64_t palette = 0; // colour table and 8-bit indices
    uint64_t surface = 0; // a display surface image's surface
    uint64_t texture = 0;
    int32_t textureFormat = 0;
    uint64_t nativeAlpha = 0;
    uint64_t rlAlpha = 0;
    uint64_t rlAdditive = 0;
    bool isVolatile = false;
    bool forced = false;
    bool hasAlpha = false;
    bool hasTrans = false;
    std::string fileName;

    uint64_t Total() const { return bits + palette + surface + texture + nativeAlpha + rlAlpha + rlAdditive; }
};

ImageDumpEntry DescribeImageForDump(MemoryImage& image, const TextureFactsReader& textures);

// Largest total first; equal totals keep their order.
void SortImageDumpEntries(std::vector<ImageDumpEntry>& entries);

// The whole page for entries in their order; `when` is the date line.
std::string BuildImageDumpPage(const std::vector<ImageDumpEntry>& entries, const std::string& when);

// 64 x 64: column c, row r takes the pixel at x = trunc((c + 0.5) * width) / 64,
// y = trunc((r + 0.5) * height) / 64. Needs width, height > 0.
ImageLib::Image MakeDumpThumbnail(const uint32_t* bits, int32_t width, int32_t height);

// Deletes the folder with everything in it and creates it again, trying the
// creation at most `attempts` times 100 ms apart (a folder being deleted may
// not be creatable at once). True when the folder exists.
bool RecreateDumpFolder(const std::string& folder, int attempts = 50);

// Writes "imagelist.html" and the images' files into folder (which ends in
// a separator). File errors are not reported.
void WriteImageDump(const std::string& folder, std::vector<MemoryImage*> images, const TextureFactsReader& textures,
                    const std::string& when);

} // namespace Kavo
