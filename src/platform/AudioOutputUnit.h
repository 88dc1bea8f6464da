#pragma once
// An audio output stream that pulls samples from a render callback on its own real-time
// thread, modelled on the audio toolbox's output unit. Created through AudioOutputComponent;
// disposing of the unit is destroying the object. All calls except the render callback are
// made on the main thread.

#include <cstdint>
#include <memory>

#include "platform/AudioFormat.h"

namespace balalaika::platform {

struct AudioBuffer {
  std::uint32_t mNumberChannels = 1;
  std::uint32_t mDataByteSize = 0;
  void* mData = nullptr;
};

struct AudioBufferList {
  std::uint32_t mNumberBuffers = 1;
  AudioBuffer mBuffers[1];
};

struct AudioTimeStamp {
  double mSampleTime = 0.0;  // frames rendered before this request
};

// Render thread: fill frameCount frames into ioData->mBuffers[0] and return 0. Must not block,
// allocate, free or log.
using AURenderCallback = int (*)(void* inRefCon, std::uint32_t* ioActionFlags, const AudioTimeStamp* inTimeStamp,
                                 std::uint32_t inBusNumber, std::uint32_t inNumberFrames, AudioBufferList* ioData);

struct AudioComponentDescription {
  std::uint32_t componentType = 0;
  std::uint32_t componentSubType = 0;
  std::uint32_t componentManufacturer = 0;
  std::uint32_t componentFlags = 0;
  std::uint32_t componentFlagsMask = 0;
};

inline constexpr std::uint32_t kAudioUnitType_Output = 0x61756F75;         // 'auou'
inline constexpr std::uint32_t kAudioUnitSubType_RemoteIO = 0x72696F63;    // 'rioc'
inline constexpr std::uint32_t kAudioUnitManufacturer_Apple = 0x6170706C;  // 'appl'

class AudioOutputUnit {
 public:
  virtual ~AudioOutputUnit() = default;  // disposes of the unit (stops it first if running)

  // Input scope, element 0.
  virtual int setRenderCallback(AURenderCallback callback, void* refCon) = 0;
  virtual int setStreamFormat(const AudioStreamBasicDescription& format) = 0;
  virtual int initialize() = 0;
  virtual int start() = 0;
  virtual int stop() = 0;
  virtual int uninitialize() = 0;
};

class AudioOutputComponent {
 public:
  virtual ~AudioOutputComponent() = default;
  // A new unit for the first component matching the description; nullptr when none matches.
  virtual std::unique_ptr<AudioOutputUnit> newInstance(const AudioComponentDescription& description) = 0;
};

}  // namespace balalaika::platform
