#include "framework/app/image_dump.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "framework/graphics/dd_image.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/path_util.h"
#include "framework/util/string_util.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace Kavo {

namespace {

constexpr int32_t kThumbSize = 64;

std::string Thousands(uint64_t value) {
    return FormatThousands(static_cast<int>(std::min<uint64_t>(value, INT_MAX)));
}

std::string Cell(const std::string& content) {
    return "<TD>" + (content.empty() ? std::string("&nbsp;") : content) + "</TD>";
}

std::string SizeCell(const char* label, uint64_t bytes) {
    return Cell(bytes == 0 ? std::string() : std::string(label) + Thousands(bytes));
}

std::string FlagCell(const char* label, bool on) {
    return Cell(on ? label : "");
}

// The byte columns of a row, or of the totals row.
std::string ByteCells(const ImageDumpEntry& entry) {
    std::string texture;
    if (entry.texture != 0 || entry.textureFormat != 0) {
        const std::string format = TextureFormatName(entry.textureFormat);
        texture = "Texture<BR>" + (format.empty() ? "" : format + "<BR>") + Thousands(entry.texture);
    }
    return SizeCell("mBits<BR>", entry.bits) + SizeCell("Palletized<BR>", entry.palette) +
           SizeCell("DDSurface<BR>", entry.surface) + Cell(texture);
}

std::string BufferCells(const ImageDumpEntry& entry) {
    return SizeCell("NativeAlpha<BR>", entry.nativeAlpha) + SizeCell("RLAlpha<BR>", entry.rlAlpha) +
           SizeCell("RLAdditive<BR>", entry.rlAdditive);
}

ImageLib::Image WholeImage(const uint32_t* bits, int32_t width, int32_t height) {
    ImageLib::Image picture(width, height);
    std::copy(bits, bits + picture.mBits.size(), picture.mBits.begin());
    return picture;
}

} // namespace

ImageDumpEntry DescribeImageForDump(MemoryImage& image, const TextureFactsReader& textures) {
    ImageDumpEntry entry;
    entry.image = &image;
    entry.width = image.GetWidth();
    entry.height = image.GetHeight();
    const uint64_t pixels = image.PixelCount();
    if (image.mBits)
        entry.bits = pixels * 4;
    if (const auto* surfaceImage = dynamic_cast<const DDImage*>(&image); surfaceImage && surfaceImage->mSurface)
        entry.surface = pixels * 4;
    const bool palettised = image.mColorTable && image.mColorIndices;
    if (palettised)
        entry.palette = pixels + 1024;
    if (image.mNativeAlphaData)
        entry.nativeAlpha = image.mColorTable ? 1024 : pixels * 4;
    if (image.mRLAlphaData)
        entry.rlAlpha = pixels;
    if (image.mRLAdditiveData)
        entry.rlAdditive = pixels;
    if (textures) {
        if (const auto facts = textures(image)) {
            entry.texture = facts->bytes;
            entry.textureFormat = facts->formatCode;
        }
    }
    entry.isVolatile = image.mVolatile;
    entry.forced = image.mForcedAlphaFlags;
    entry.hasAlpha = image.mHasAlpha;
    entry.hasTrans = image.mHasTrans;
    entry.fileName = image.mFilePath;
    return entry;
}

void SortImageDumpEntries(std::vector<ImageDumpEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ImageDumpEntry& a, const ImageDumpEntry& b) { return a.Total() > b.Total(); });
}

std::string BuildImageDumpPage(const std::vector<ImageDumpEntry>& entries, const std::string& when) {
    std::string page = "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>" + when + "</B></FONT><BR>\r\n";
    ImageDumpEntry totals;
    for (const ImageDumpEntry& entry : entries) {
        totals.bits += entry.bits;
        totals.palette += entry.palette;
        totals.surface += entry.surface;
        totals.texture += entry.texture;
        totals.nativeAlpha += entry.nativeAlpha;
        totals.rlAlpha += entry.rlAlpha;
        totals.rlAdditive += entry.rlAdditive;
    }
    page += "Total Image Allocation: " + Thousands(totals.Total()) + " bytes<BR>\r\n";
    page += "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\r\n";
    for (size_t i = 0; i < entries.size(); ++i) {
        const ImageDumpEntry& entry = entries[i];
        const int number = static_cast<int>(i);
        page += "<TR>";
        page += "<TD><A HREF=" + FormatString("img%04d.png", number) +
                "><IMG SRC=" + FormatString("thumb%04d.jpg", number) + " WIDTH=64 HEIGHT=64></A></TD>";
        page += "<TD ALIGN=RIGHT>" +
                FormatString("%d x %d<BR>%s bytes", entry.width, entry.height, Thousands(entry.Total()).c_str()) +
                "</TD>";
        page += ByteCells(entry);
        page += FlagCell("Volatile", entry.isVolatile) + FlagCell("Forced", entry.forced) +
                FlagCell("HasAlpha", entry.hasAlpha) + FlagCell("HasTrans", entry.hasTrans);
        page += BufferCells(entry);
        page += Cell(entry.fileName);
        page += "</TR>\r\n";
    }
    page += "<TR><TD>Totals</TD><TD>&nbsp;</TD>" + ByteCells(totals) + Cell("") + Cell("") + Cell("") + Cell("") +
            BufferCells(totals) + Cell("") + "</TR>\r\n";
    page += "</TABLE></CENTER></BODY></HTML>";
    return page;
}

ImageLib::Image MakeDumpThumbnail(const uint32_t* bits, int32_t width, int32_t height) {
    ImageLib::Image thumb(kThumbSize, kThumbSize);
    for (int32_t r = 0; r < kThumbSize; ++r) {
        const int32_t y = static_cast<int32_t>((r + 0.5) * height) / kThumbSize;
        for (int32_t c = 0; c < kThumbSize; ++c) {
            const int32_t x = static_cast<int32_t>((c + 0.5) * width) / kThumbSize;
            thumb.mBits[static_cast<size_t>(r) * kThumbSize + c] = bits[static_cast<size_t>(y) * width + x];
        }
    }
    return thumb;
}

bool RecreateDumpFolder(const std::string& folder, int attempts) {
    DeleteTree(folder);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        MkDir(folder);
        if (platform::IsDirectory(folder))
            return true;
        platform::SleepMs(100);
    }
    return false;
}

void WriteImageDump(const std::string& folder, std::vector<MemoryImage*> images, const TextureFactsReader& textures,
                    const std::string& when) {
    std::vector<ImageDumpEntry> entries;
    entries.reserve(images.size());
    for (MemoryImage* image : images)
        entries.push_back(DescribeImageForDump(*image, textures));
    SortImageDumpEntries(entries);

    for (size_t i = 0; i < entries.size(); ++i) {
        const ImageDumpEntry& entry = entries[i];
        if (entry.width <= 0 || entry.height <= 0)
            continue;
        const uint32_t* bits = entry.image->GetBits();
        if (bits == nullptr)
            continue;
        const int number = static_cast<int>(i);
        ImageLib::SaveAsPng(folder + FormatString("img%04d.png", number), WholeImage(bits, entry.width, entry.height));
        ImageLib::SaveAsJpeg(folder + FormatString("thumb%04d.jpg", number),
                             MakeDumpThumbnail(bits, entry.width, entry.height));
    }
    platform::WriteWholeFile(folder + "imagelist.html", BuildImageDumpPage(entries, when));
}

} // namespace Kavo
