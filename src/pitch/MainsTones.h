#pragma once
// Mains hum beside a partial. A steady tone at a harmonic of 50 or 60 Hz a few hertz from a
// string's partial lies inside the window's main lobe and pulls the partial's peak towards it.
// Fitted together with the partial by least squares, the tones can be taken out of the windowed
// samples, and the partial read alone. Nearer still, within two bins of the buffer, the fit cannot
// tell them apart well enough to take the tones out, but it does say how loud they are beside the
// partial, and so how far they may have pulled it.

#include <cstdint>

namespace balalaika {

constexpr int kMaxMainsTones = 2;

// The harmonics 1-4 of 50 and 60 Hz lying from minApart to maxApart hertz away from hertz, the
// nearest first; writes at most kMaxMainsTones of them to tones and returns how many.
int mainsTonesBeside(double hertz, double minApart, double maxApart, double* tones);

// The hertz of the harmonics 1-4 of 50 and 60 Hz: kMainsTones of them.
constexpr int kMainsTones = 8;
extern const double kMainsHertz[kMainsTones];

// Whether a spectral peak at hertz lies nearer one of the mains tones than place, where a partial
// was sought: where hum is heard, such a peak is the hum's.
bool nearerMainsTone(double hertz, double place);

// windowed holds count samples times window. Fits it with a partial at partialHertz (a sinusoid
// whose amplitude may change linearly across the buffer, as a plucked string's does) and a steady
// sinusoid at each of the tones, all times the window, by least squares; then subtracts the
// tones' fitted part from windowed. Leaves windowed as it is when the fit is singular.
void removeMainsTones(float* windowed, const double* window, std::uint32_t count, double sampleRate,
                      double partialHertz, const double* tones, int toneCount);

// Fits windowed as removeMainsTones does and leaves it as it is; returns the amplitude of the
// loudest of the tones as a share of the partial's amplitude at the middle of the buffer, 0 when
// the fit is singular.
double mainsToneShare(const float* windowed, const double* window, std::uint32_t count, double sampleRate,
                      double partialHertz, const double* tones, int toneCount);

}  // namespace balalaika
