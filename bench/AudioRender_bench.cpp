// Cost of one render request of 512 frames of a sine: the callback alone, and through the
// output unit's QIODevice as the sink pulls it.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/AudioOutputUnit.h"

#ifdef BT_HAVE_QT
#include "platform/qt/QtAudioOutputUnit.h"
#endif

namespace {

using namespace balalaika::platform;

constexpr double kTwoPi = 6.283185307179586;

struct SineState {
  double frequency = 329.6;
  double amplitude = 1.25;
  double sampleRate = 44100.0;
  double theta = 0.0;
};

int renderSine(void* refCon, std::uint32_t*, const AudioTimeStamp*, std::uint32_t, std::uint32_t frames,
               AudioBufferList* data) {
  auto* s = static_cast<SineState*>(refCon);
  auto* out = static_cast<float*>(data->mBuffers[0].mData);
  const double step = s->frequency * kTwoPi / s->sampleRate;
  double theta = s->theta;
  for (std::uint32_t i = 0; i < frames; ++i) {
    out[i] = static_cast<float>(s->amplitude * std::sin(theta));
    theta += step;
    if (theta > kTwoPi) theta -= kTwoPi;
  }
  s->theta = theta;
  return 0;
}

void BM_SineCallback512Frames(benchmark::State& state) {
  SineState sine;
  std::vector<float> out(512);
  AudioBufferList list;
  list.mBuffers[0].mData = out.data();
  list.mBuffers[0].mDataByteSize = 512 * sizeof(float);
  std::uint32_t flags = 0;
  const AudioTimeStamp stamp;
  for (auto _ : state) {
    renderSine(&sine, &flags, &stamp, 0, 512, &list);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_SineCallback512Frames);

#ifdef BT_HAVE_QT
void BM_RenderDeviceRead512Frames(benchmark::State& state) {
  SineState sine;
  balalaika::qt::RenderDevice device;
  device.setCallback(&renderSine, &sine);
  device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  std::vector<char> out(512 * sizeof(float));
  for (auto _ : state) {
    benchmark::DoNotOptimize(device.read(out.data(), static_cast<qint64>(out.size())));
  }
}
BENCHMARK(BM_RenderDeviceRead512Frames);
#endif

}  // namespace
