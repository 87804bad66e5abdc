#include "platform/audio_driver.h"

namespace platform {

bool IsValidAudioFormat(const AudioFormat& format) {
    return format.sampleRate >= 1000 && format.sampleRate <= 192000 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16);
}

} // namespace platform
