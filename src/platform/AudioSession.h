#pragma once
// The device's audio session: how this application shares the audio hardware. Two styles of
// call reach it, as on the phone: the object style (category, mode, activation, reporting a
// failure with a description) and the older C style used by the tone generator (initialise
// with an interruption listener, set the category property, activate; status codes, 0 = ok).
// Main thread only, except that the interruption listener may be called from any thread.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace balalaika::platform {

enum class AudioSessionCategory { Playback, PlayAndRecord };
enum class AudioSessionMode { Default, Measurement };

inline constexpr std::uint32_t kAudioSessionCategoryOptionDefaultToSpeaker = 8;
// C-style category property values.
inline constexpr std::uint32_t kAudioSessionCategory_MediaPlayback = 0x6D656469;  // 'medi'
// Interruption states handed to the interruption listener.
inline constexpr std::uint32_t kAudioSessionBeginInterruption = 1;
inline constexpr std::uint32_t kAudioSessionEndInterruption = 0;

struct AudioSessionError {
  std::string localizedDescription;
};

class AudioSession {
 public:
  virtual ~AudioSession() = default;

  // Object style: nothing on success, the error on failure.
  virtual std::optional<AudioSessionError> setCategory(AudioSessionCategory category,
                                                       std::uint32_t options = 0) = 0;
  virtual std::optional<AudioSessionError> setMode(AudioSessionMode mode) = 0;
  virtual std::optional<AudioSessionError> setActive(bool active) = 0;

  // C style.
  using InterruptionListener = std::function<void(std::uint32_t interruptionState)>;
  virtual int initialize(InterruptionListener listener) = 0;
  virtual int setAudioCategoryProperty(std::uint32_t category) = 0;
  virtual int setActiveC(bool active) = 0;
};

}  // namespace balalaika::platform
