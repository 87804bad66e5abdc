#include "platform/audio/pcm_format.h"

namespace platform {

HResult CheckPcmFormat(const WaveFormat& format) {
    if (format.formatTag != kWaveFormatPcm || format.channels < 1 || format.channels > 2 ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16) || format.samplesPerSec < kSoundFrequencyMin ||
        format.samplesPerSec > kSoundFrequencyMax) {
        return DSERR_BADFORMAT;
    }
    const WaveFormat expected = MakePcmFormat(format.channels, format.samplesPerSec, format.bitsPerSample);
    if (format.blockAlign != expected.blockAlign || format.avgBytesPerSec != expected.avgBytesPerSec) {
        return DSERR_INVALIDPARAM;
    }
    return DS_OK;
}

} // namespace platform
