#include "pitch/MainsTones.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace balalaika {
namespace {

// The partial's cosine and sine, the same times time, and a cosine and sine per tone.
constexpr int kMaxUnknowns = 4 + 2 * kMaxMainsTones;
// The stride of the gram's sums (below). Fits that summed every sample moved no reading of the
// sampled strings under hum by a hundredth of a cent, and took twice as long.
constexpr std::uint32_t kGramStride = 4;

// A turning phasor: cos and sin of the angle step times n, one multiplication per step.
struct Phasor {
  double re = 1.0, im = 0.0, stepRe = 1.0, stepIm = 0.0;
  Phasor() = default;
  explicit Phasor(double step) : stepRe(std::cos(step)), stepIm(std::sin(step)) {}
  void advance() {
    const double next = re * stepRe - im * stepIm;
    im = re * stepIm + im * stepRe;
    re = next;
  }
};

// Solves a x = b for the first n unknowns, by elimination with partial pivoting; false when a is
// singular.
bool solve(std::array<std::array<double, kMaxUnknowns>, kMaxUnknowns>& a, std::array<double, kMaxUnknowns>& b, int n,
           std::array<double, kMaxUnknowns>& x) {
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r) {
      if (std::abs(a[r][c]) > std::abs(a[pivot][c])) pivot = r;
    }
    if (!(std::abs(a[pivot][c]) > 1e-12)) return false;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (int r = c + 1; r < n; ++r) {
      const double f = a[r][c] / a[c][c];
      for (int k = c; k < n; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (int c = n - 1; c >= 0; --c) {
    double v = b[c];
    for (int k = c + 1; k < n; ++k) v -= a[c][k] * x[k];
    x[c] = v / a[c][c];
  }
  return true;
}

}  // namespace

const double kMainsHertz[kMainsTones] = {50.0, 100.0, 150.0, 200.0, 60.0, 120.0, 180.0, 240.0};

bool nearerMainsTone(double hertz, double place) {
  return std::any_of(std::begin(kMainsHertz), std::end(kMainsHertz),
                     [&](double mains) { return std::abs(hertz - mains) < std::abs(hertz - place); });
}

int mainsTonesBeside(double hertz, double minApart, double maxApart, double* tones) {
  int count = 0;
  for (const double mains : kMainsHertz) {
    const double apart = std::abs(hertz - mains);
    if (apart < minApart || apart > maxApart) continue;
    // Kept nearest first: insert it in order, the farthest dropping off the end.
    int at = std::min(count, kMaxMainsTones);
    while (at > 0 && std::abs(hertz - tones[at - 1]) > apart) {
      if (at < kMaxMainsTones) tones[at] = tones[at - 1];
      --at;
    }
    if (at < kMaxMainsTones) tones[at] = mains;
    count = std::min(count + 1, kMaxMainsTones);
  }
  return count;
}

namespace {

// Fits windowed with the partial and the tones, all times the window, by least squares (the basis
// removeMainsTones describes); false when the fit is singular. The basis's products with itself
// are summed over every kGramStride-th sample only, times kGramStride: the basis holds nothing
// above a few hundred hertz, so a stride of a few samples changes the sums by little and saves
// most of the work. Its products with the samples, which hold every partial, take every sample.
bool fitMainsTones(const float* windowed, const double* window, std::uint32_t count, double sampleRate,
                   double partialHertz, const double* tones, int toneCount, std::array<double, kMaxUnknowns>& fitted) {
  const int unknowns = 4 + 2 * toneCount;
  const double turn = 2.0 * std::numbers::pi / sampleRate;
  Phasor partial(turn * partialHertz);
  std::array<Phasor, kMaxMainsTones> tone;
  for (int m = 0; m < toneCount; ++m) tone[m] = Phasor(turn * tones[m]);

  // The normal equations: the basis's products with itself and with the samples.
  std::array<std::array<double, kMaxUnknowns>, kMaxUnknowns> gram{};
  std::array<double, kMaxUnknowns> projection{};
  const double middle = 0.5 * (count - 1);
  for (std::uint32_t n = 0; n < count; ++n) {
    const double w = window[n];
    const double t = (n - middle) / count;
    std::array<double, kMaxUnknowns> basis{};
    basis[0] = w * partial.re;
    basis[1] = w * partial.im;
    basis[2] = t * basis[0];
    basis[3] = t * basis[1];
    for (int m = 0; m < toneCount; ++m) {
      basis[4 + 2 * m] = w * tone[m].re;
      basis[5 + 2 * m] = w * tone[m].im;
    }
    for (int i = 0; i < unknowns; ++i) projection[i] += basis[i] * windowed[n];
    if (n % kGramStride == 0) {
      for (int i = 0; i < unknowns; ++i) {
        for (int k = i; k < unknowns; ++k) gram[i][k] += kGramStride * basis[i] * basis[k];
      }
    }
    partial.advance();
    for (int m = 0; m < toneCount; ++m) tone[m].advance();
  }
  for (int i = 0; i < unknowns; ++i) {
    for (int k = 0; k < i; ++k) gram[i][k] = gram[k][i];
  }
  return solve(gram, projection, unknowns, fitted);
}

}  // namespace

void removeMainsTones(float* windowed, const double* window, std::uint32_t count, double sampleRate,
                      double partialHertz, const double* tones, int toneCount) {
  toneCount = std::clamp(toneCount, 0, kMaxMainsTones);
  if (toneCount == 0 || count < 2) return;
  std::array<double, kMaxUnknowns> fitted{};
  if (!fitMainsTones(windowed, window, count, sampleRate, partialHertz, tones, toneCount, fitted)) return;

  const double turn = 2.0 * std::numbers::pi / sampleRate;
  for (int m = 0; m < toneCount; ++m) {
    Phasor again(turn * tones[m]);
    for (std::uint32_t n = 0; n < count; ++n) {
      windowed[n] -= static_cast<float>(window[n] * (fitted[4 + 2 * m] * again.re + fitted[5 + 2 * m] * again.im));
      again.advance();
    }
  }
}

double mainsToneShare(const float* windowed, const double* window, std::uint32_t count, double sampleRate,
                      double partialHertz, const double* tones, int toneCount) {
  toneCount = std::clamp(toneCount, 0, kMaxMainsTones);
  if (toneCount == 0 || count < 2) return 0.0;
  std::array<double, kMaxUnknowns> fitted{};
  if (!fitMainsTones(windowed, window, count, sampleRate, partialHertz, tones, toneCount, fitted)) {
    return 0.0;
  }
  const double partial = std::hypot(fitted[0], fitted[1]);
  double loudest = 0.0;
  for (int m = 0; m < toneCount; ++m) loudest = std::max(loudest, std::hypot(fitted[4 + 2 * m], fitted[5 + 2 * m]));
  return partial > 0.0 ? loudest / partial : 0.0;
}

}  // namespace balalaika
