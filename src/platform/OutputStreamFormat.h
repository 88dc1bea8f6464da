#pragma once
// The speaker's stream: 32-bit float, packed, non-interleaved mono linear PCM.

#include "platform/AudioFormat.h"

namespace balalaika::platform {

inline AudioStreamBasicDescription floatMonoFormat(double sampleRate) {
  AudioStreamBasicDescription format;
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  format.mBytesPerPacket = 4;
  format.mFramesPerPacket = 1;
  format.mBytesPerFrame = 4;
  format.mChannelsPerFrame = 1;
  format.mBitsPerChannel = 32;
  format.mReserved = 0;
  return format;
}

}  // namespace balalaika::platform
