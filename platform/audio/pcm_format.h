#pragma once
// The PCM formats a sound buffer accepts: 8-bit unsigned or 16-bit signed,
// one or two channels, a rate in the frequency range, and the block size
// and byte rate that follow from those.

#include "platform/audio/sound_types.h"
#include "platform/result_codes.h"

namespace platform {

// DS_OK, DSERR_BADFORMAT for what cannot be played, DSERR_INVALIDPARAM for
// a block size or byte rate that does not match.
HResult CheckPcmFormat(const WaveFormat& format);

} // namespace platform
