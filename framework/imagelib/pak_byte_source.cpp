#include <cstdio>

#include "framework/imagelib/image_codecs.h"
#include "framework/pak/pak_interface.h"

namespace Kavo::ImageLib {

namespace {

PakFile* AsPakFile(void* file) {
    return static_cast<PakFile*>(file);
}

} // namespace

PakByteSource::PakByteSource(const std::string& fileName) : mFile(PakOpenFile(fileName, "rb")) {}

PakByteSource::~PakByteSource() {
    if (mFile)
        PakCloseFile(AsPakFile(mFile));
}

size_t PakByteSource::Read(void* dest, size_t count) {
    return mFile && count > 0 ? PakReadFile(dest, 1, count, AsPakFile(mFile)) : 0;
}

bool PakByteSource::Seek(uint64_t position) {
    return mFile && position <= Size() && PakSeekFile(AsPakFile(mFile), long(position), SEEK_SET) == 0;
}

uint64_t PakByteSource::Tell() {
    long pos = mFile ? PakTellFile(AsPakFile(mFile)) : 0;
    return pos < 0 ? 0 : uint64_t(pos);
}

// The file API has no size query: seek to the end, tell, and come back.
uint64_t PakByteSource::Size() {
    if (mSize < 0 && mFile) {
        PakFile* file = AsPakFile(mFile);
        long pos = PakTellFile(file);
        if (PakSeekFile(file, 0, SEEK_END) == 0)
            mSize = PakTellFile(file);
        PakSeekFile(file, pos, SEEK_SET);
    }
    return mSize < 0 ? 0 : uint64_t(mSize);
}

} // namespace Kavo::ImageLib
