// Reads a whole saved record out of arbitrary bytes, the way profiles,
// demos and board saves are read back.
#include "framework/util/buffer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Kavo::Buffer buffer;
    buffer.SetData(data, static_cast<int>(size));
    // The first byte picks the record shape so that every reader gets runs
    // at odd bit offsets too.
    int shape = buffer.ReadNumBits(3, false);
    while (!buffer.AtEnd()) {
        switch (shape++ & 7) {
        case 0:
            buffer.ReadByte();
            break;
        case 1:
            buffer.ReadShort();
            break;
        case 2:
            buffer.ReadLong();
            break;
        case 3:
            buffer.ReadString();
            break;
        case 4:
            buffer.ReadLine();
            break;
        case 5:
            buffer.ReadBoolean();
            break;
        case 6:
            buffer.ReadNumBits(buffer.ReadNumBits(6, false), true);
            break;
        default: {
            uint8_t bytes[64];
            buffer.ReadBytes(bytes, buffer.ReadByte() & 63);
            break;
        }
        }
    }
    return 0;
}
