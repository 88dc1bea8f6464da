#include "app/OfflineAnalysis.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "app/ListenerPitchSource.h"
#include "app/PrecisePitchSource.h"
#include "pitch/PitchListener.h"
#include "platform/AudioFileDecoder.h"
#include "platform/LevelMeter.h"
#include "tuner/CentsReading.h"

namespace balalaika::analysis {

const char* stateName(tick::PowerState state) {
  switch (state) {
    case tick::PowerState::Silent:
      return "silent";
    case tick::PowerState::Soft:
      return "soft";
    case tick::PowerState::Loud:
      return "loud";
  }
  return "";
}

std::vector<Tick> analyzeSamples(const std::vector<std::int16_t>& samples, tuning::TuningIndex tuning,
                                 const Settings& settings, AidResults* aids) {
  PitchListener& listener = *PitchListener::sharedListener();
  // The same readings the running tuner's tick takes from the listener's newest buffer.
  app::ListenerPitchSource listenerSource;
  app::PrecisePitchSource preciseSource;
  PitchSource& source = settings.estimator == app::Estimator::Precise ? static_cast<PitchSource&>(preciseSource) : listenerSource;
  const double rate = listener.format().mSampleRate;
  constexpr std::size_t kBufferSamples = PitchListener::kMaxBufferSamples;
  const double duration = static_cast<double>(samples.size()) / rate;
  double refined = 0.0;  // the newest buffer's estimate refined below one bin
  unison::UnisonCheck unisonCheck;
  concert::HeardA heardA;
  if (settings.unisonCheck) {
    const std::optional<std::string> note = tuning::noteName(tuning, 2);
    unisonCheck.start(tuning::equalTemperedHertz(note.value_or(""), settings.a4).value_or(0.0));
  }
  if (settings.hearA) heardA.start(settings.a4);

  std::vector<Tick> ticks;
  std::size_t buffersGiven = 0;  // the listener holds the newest of these
  for (std::int64_t n = 1;; ++n) {
    Tick t;
    t.seconds = static_cast<double>(n) * tick::kIntervalSeconds;
    if (t.seconds > duration + 1e-9) break;
    // Buffers that the capture queue has completed by this moment.
    const auto captured = static_cast<std::size_t>(t.seconds * rate + 1e-6);
    const std::size_t completeBuffers = captured / kBufferSamples;
    if (completeBuffers > 0) {
      const std::int16_t* newest = samples.data() + (completeBuffers - 1) * kBufferSamples;
      t.power = platform::measureLevel(newest, kBufferSamples).mAveragePower;
      // A new buffer only when the capture has completed one, as in the running tuner: the
      // estimates are made once per buffer, not once per tick.
      if (completeBuffers != buffersGiven) {
        listener.setAudioBuffer(newest, kBufferSamples * 2);
        buffersGiven = completeBuffers;
      }
      t.frequency = source.frequency();
      refined = source.refinedFrequency();
    }
    t.state = tick::classifyPower(t.power);
    if (settings.unisonCheck || settings.hearA) {
      // The aids read the precise estimate whatever the tick's estimate, as the running tuner's do.
      const bool loud = t.state == tick::PowerState::Loud;
      const bool heard = t.state != tick::PowerState::Silent;
      double precise = 0.0;
      if (heard && completeBuffers > 0) {
        const float estimate = preciseSource.frequency();
        precise = preciseSource.refinedFrequency() > 0.0 ? preciseSource.refinedFrequency() : estimate;
      }
      unisonCheck.tick(t.power, loud, loud ? precise : 0.0);
      heardA.tick(heard, precise);
    }
    if (t.state == tick::PowerState::Loud) {
      const double f = t.frequency;
      if (const auto m = tuning::match(tuning, f, settings.a4)) {
        t.string = m->string;
        t.note = m->note;
      }
      t.text = tick::frequencyText(f + tuning::displayOffset(tuning, t.string));
      t.cents = cents::nearestString(tuning, refined > 0.0 ? refined : f, t.string, settings.a4,
                                     settings.lockedString);
    }
    ticks.push_back(std::move(t));
  }
  if (aids != nullptr) {
    aids->unison = unisonCheck.stage() == unison::UnisonCheck::Stage::Done ? unisonCheck.gap() : std::nullopt;
    if (heardA.state() == concert::HeardA::State::Accepted) aids->heardA = heardA.result();
  }
  return ticks;
}

void writeCsv(std::ostream& out, const std::vector<Tick>& ticks) {
  out << "time,power,frequency,state,text,string,note,cents\n";
  char line[256];
  for (const Tick& t : ticks) {
    std::snprintf(line, sizeof line, "%.1f,%.6f,%.4f,%s,%s,%s,%s,%s\n", t.seconds, static_cast<double>(t.power),
                  static_cast<double>(t.frequency), stateName(t.state), t.text.c_str(),
                  t.string ? std::to_string(*t.string).c_str() : "", t.note ? t.note->c_str() : "",
                  cents::plainText(t.cents).c_str());
    out << line;
  }
}

int analyzeFile(const std::string& path, tuning::TuningIndex tuning, std::ostream& out, std::ostream& err,
                const Settings& settings) {
  if (!tuning::isValidTuning(tuning)) {
    err << "balalaika-tuner: tuning must be 1 to 5, not " << tuning << "\n";
    return 2;
  }
  const platform::DecodedAudio audio = platform::decodeAudioFile(path, PitchListener::kCaptureSampleRate);
  if (!audio.ok()) {
    err << "balalaika-tuner: " << audio.error << "\n";
    return 2;
  }
  std::ostringstream csv;
  AidResults aids;
  writeCsv(csv, analyzeSamples(audio.samples, tuning, settings, &aids));
  if (settings.unisonCheck) csv << "unison," << (aids.unison ? unison::plainText(*aids.unison) : "none") << "\n";
  if (settings.hearA) {
    char a4[32];
    std::snprintf(a4, sizeof a4, "%.1f", aids.heardA.value_or(0.0));
    csv << "a4," << (aids.heardA ? a4 : "none") << "\n";
  }
  out << csv.str();
  return 0;
}

}  // namespace balalaika::analysis
