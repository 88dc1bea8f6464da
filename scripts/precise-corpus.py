#!/usr/bin/python3
"""Accuracy of the two pitch estimates against the string's fundamental, clean and through a phone.

The rule this script keeps: a truth never shares code or formula with what it scores. The true
pitch is the string's fundamental, the first partial, measured on the clean rendering by a method
no estimator of the tuner uses:
  - per capture buffer: the first partial alone is cut out of the note with a band-pass in the
    frequency domain (the analytic signal, one-sided, 10 Hz either side of the partial or 5 % if
    wider, so that it follows the partial from buffer to buffer, and stopping halfway to another
    tone the note sounds more than 10 % away), its phase
    is unwrapped, and a straight line fitted by least squares to the phase over the buffer's span
    (each sample weighted by the partial's power there) gives the frequency as its slope; a buffer
    whose first partial holds less than a thousandth of its power has no truth and is left out, and
    so has one whose first partial glides more than 50 c across it (the halves' slopes compared),
    as a sitar's attack does: no single pitch is true of it, and a reading off by 50 c is "wrong";
  - checked on a made note whose pitch steps from buffer to buffer, and against the truth a band
    of 5 % either side would give (how much the band alone moves it);
  - checked against the first partial over the whole sustain, the maximum of the magnitude of the
    Blackman-windowed note's Fourier transform, evaluated directly on a 0.01-cent grid;
  - and checked against the detune asked of the renderer: the sustain's first partial at each
    detune against the same note's at 0 c.
The tuner's estimates read Hann-windowed buffers through a parabola of log powers; the truth uses
neither. Beside the tables goes each program's inharmonicity: partials 2-8 against n times the
first, over the sustain.

Renders every target note of the five tunings with fluidsynth and the General MIDI soundfont,
played by seven single-pitch plucked programs at detunes of 0, +-4, +-6, +-10 and +-25 cents, then
four conditions of the same renderings, the truth unchanged:
  clean;
  low cut:  a phone's microphone, a 4th-order Butterworth high-pass at 100 Hz (sox, two sections);
  hum:      mains hum, 20 dB under the note: 50 Hz on the first, third, ... notes, 60 Hz on the others,
            each with its harmonics 2-4 (amplitudes 1, 0.5, 0.3, 0.2);
  phone:    the low cut, then the hum, and pink noise 25 dB under the note.
"Under the note" is against the note's level as recorded, averaged over its sounding stretches.
Every rendering goes through `balalaika-tuner --analyze` with `--estimator default` and
`--estimator precise`. Over the loud ticks whose buffer lies inside a sounding note it prints, per
note, program and condition, for both estimators:
  wrong     loud ticks reading more than 50 c from the truth, or nothing;
  med, p90  median and 90th percentile of |error| in cents over the ticks that are not wrong;
  recall    of the ticks whose truth lies inside the note's window, the share that show the note;
  false     of the ticks whose truth lies 1 c or more outside the window, the share showing a note.
Then where recall is lost: of the ticks whose truth lies inside the window but that do not show the
note, how many read a few cents off (within 50 c), nothing, or another note; and the share missed
by the buffer's moment in the note: attack (starting within 0.3 s of the onset), sustain (to 1.2 s),
decay; and how many had their truth within half a cent of the window's edge. Then the same metrics
per note over the buffers whose first partial holds within 1 c across them (its two halves' phase
slopes compared) and over the rest: where it moves, no single number is the buffer's pitch to a
cent, and the truth's weighting of the buffer's moments and an estimator's read it differently.
Then hum alone, at the level of soft notes: how many loud ticks show a note or any reading.

Usage: scripts/precise-corpus.py [--tuner build/src/balalaika-tuner] [--work DIR] [--jobs N]
The audio is written under --work (default a temporary folder) and is not kept in the project.
Needs fluidsynth, fluid-soundfont-gm, sox and python3-numpy (scripts/setup.sh installs them).
"""
import argparse
import concurrent.futures
import csv
import io
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

import numpy as np

SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
RENDER_RATE = 44100
CAPTURE_RATE = 14039.0
BUFFER = 4096
LOUD = 0.0045  # average power above which a tick judges the note
PROGRAMS = {24: "nylon guitar", 25: "steel guitar", 46: "harp", 104: "sitar", 105: "banjo", 106: "shamisen",
            107: "koto", 45: "pizzicato"}
# Pizzicato strings (45) is an ensemble of several detuned strings: no single true pitch to
# measure, so it is left out unless asked for with --programs.
DEFAULT_PROGRAMS = [24, 25, 46, 104, 105, 106, 107]
# note, MIDI key, tuning, string it is reported as, window (hertz) in that tuning
NOTES = [
    ("A4", 69, 1, 1, 438.731, 441.273), ("E4", 64, 1, 2, 328.677, 330.581),
    ("D4", 62, 2, 1, 292.818, 294.514), ("A3", 57, 2, 2, 219.366, 220.636),
    ("E3", 52, 3, 2, 164.338, 165.29), ("D3", 50, 4, 1, 146.409, 147.257),
    ("A2", 45, 4, 2, 109.683, 110.318), ("E2", 40, 4, 3, 82.169, 82.645),
    ("D2", 38, 5, 1, 73.204, 73.629), ("A1", 33, 5, 2, 54.81, 55.191),
    ("E1", 28, 5, 3, 41.085, 41.323),
]
DETUNINGS = [0, 4, -4, 6, -6, 10, -10, 25, -25]
CONDITIONS = ["clean", "low cut", "hum", "phone"]
NOTE_SECONDS = 2.5
GAP_SECONDS = 1.0
LEAD_SECONDS = 0.5
HUM_HARMONICS = [1.0, 0.5, 0.3, 0.2]
# The band that cuts the first partial out of a note reaches 10 Hz either side of it, or 5 % of
# its frequency where that is wider, and is flat over its inner half. A band B Hz wide responds
# over about 1/B s: 5 % of E1 (2 Hz) would blur each 0.29 s buffer's pitch with its neighbours',
# by up to 3 c on a pitch that steps by 6 c from buffer to buffer. Where the note sounds another
# tone within that reach, more than 10 % from the first partial and within 40 dB of it (a sitar's
# sympathetic strings, a harp's or a koto's body), the band's edge on that side stops halfway to
# it: the two would beat in the band and sway its phase.
BAND_EDGE = 0.05
BAND_EDGE_HERTZ = 10.0
BAND_NEIGHBOUR_DB = 40
# Peaks nearer the partial than this share of its frequency are taken for its own: at E1 a pitch
# that changes from one buffer to the next (3.4 Hz) puts sidebands 8 % either side of it.
BAND_OWN_SIDES = 0.10
# A buffer whose first partial holds less than this share of its power has no truth (-30 dB).
WEAKEST_FIRST_PARTIAL = 1e-3
# Nor has a buffer whose first partial glides more than this across it (its halves' pitches).
LONGEST_GLIDE_CENTS = 50
# A buffer whose first partial's two halves lie within this many cents of each other is steady.
STEADY_CENTS = 1.0
# Recall lost where the truth lies this near the window's edge is counted apart.
NEAR_EDGE_CENTS = 0.5
HUM_UNDER_NOTE_DB = 20
PINK_UNDER_NOTE_DB = 25
# Hum alone: levels (average power, as the tick measures it) of soft notes above the loud line.
HUM_ALONE_LEVELS = [0.006, 0.012, 0.025]
HUM_ALONE_SECONDS = 4.0


def cents(f, g):
    return 1200.0 * math.log2(f / g)


def midi(program, notes, end=None):
    """A one-track MIDI file of notes (start seconds, key, seconds, bend cents): each note's pitch
    bend is set 0.2 s before it, in silence, with a bend range of 2 semitones (RPN 0), so one cent
    is 8192 / 200 bend units. The track ends at end, or half a second after the last event."""
    def var(n):
        out = [n & 0x7F]
        n >>= 7
        while n:
            out.insert(0, 0x80 | (n & 0x7F))
            n >>= 7
        return bytes(out)

    events = [(0.0, bytes([0xC0, program])), (0.0, bytes([0xB0, 101, 0])), (0.0, bytes([0xB0, 100, 0])),
              (0.0, bytes([0xB0, 6, 2])), (0.0, bytes([0xB0, 38, 0]))]
    for start, key, seconds, bend_cents in notes:
        bend = max(0, min(16383, 8192 + round(bend_cents * 8192 / 200)))
        events += [(max(0.0, start - 0.2), bytes([0xE0, bend & 0x7F, bend >> 7])),
                   (start, bytes([0x90, key, 100])), (start + seconds, bytes([0x80, key, 0]))]
    events.append((max(e[0] for e in events) + 0.5 if end is None else end, bytes([0xFF, 0x2F, 0])))
    track, last = b"", 0
    for when, data in sorted(events, key=lambda e: e[0]):
        tick = round(when * 1000)  # 500 ticks a quarter at the default 120 bpm: a millisecond each
        track += var(tick - last) + data
        last = tick
    return b"MThd" + struct.pack(">IHHH", 6, 0, 1, 500) + b"MTrk" + struct.pack(">I", len(track)) + track


def midi_file(program, key):
    """Every detuning of one note in turn, NOTE_SECONDS each with GAP_SECONDS of silence after."""
    starts = [LEAD_SECONDS + i * (NOTE_SECONDS + GAP_SECONDS) for i in range(len(DETUNINGS))]
    notes = [(start, key, NOTE_SECONDS, cents) for start, cents in zip(starts, DETUNINGS)]
    return midi(program, notes, end=LEAD_SECONDS + len(DETUNINGS) * (NOTE_SECONDS + GAP_SECONDS))


def onsets():
    return [LEAD_SECONDS + i * (NOTE_SECONDS + GAP_SECONDS) for i in range(len(DETUNINGS))]


def read_wav(path):
    with wave.open(path) as w:
        channels, rate = w.getnchannels(), w.getframerate()
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
    return data.reshape(-1, channels).mean(axis=1), rate


def write_wav(path, samples, rate):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(np.clip(np.round(samples), -32768, 32767).astype("<i2").tobytes())


# --- The truth -----------------------------------------------------------------------------------

def band_edges(note, rate, hertz):
    """The band's edges below and above the first partial at hertz, as shares of hertz: the reach
    of BAND_EDGE_HERTZ (or BAND_EDGE, the wider), or halfway to the nearest peak on that side
    within BAND_NEIGHBOUR_DB of the partial's and farther than BAND_OWN_SIDES. The peaks are those
    of the Blackman-windowed spectra of the whole note and of its first second, where an attack's
    passing tones are still loud."""
    reach = max(BAND_EDGE, BAND_EDGE_HERTZ / hertz)
    edges = [reach, reach]
    size = 1 << 20
    for part in (note, note[:rate]):
        spectrum = np.abs(np.fft.rfft(part * np.blackman(len(part)), size))
        lo = int(hertz * (1 - 2 * reach) * size / rate)
        hi = int(math.ceil(hertz * (1 + 2 * reach) * size / rate))
        near = spectrum[lo:hi + 1]
        own = spectrum[int(round(hertz * size / rate))]
        for k in range(1, len(near) - 1):
            if near[k] > near[k - 1] and near[k] >= near[k + 1] and near[k] > own * 10 ** (-BAND_NEIGHBOUR_DB / 20):
                away = (lo + k) * rate / size / hertz - 1.0
                if abs(away) > BAND_OWN_SIDES:
                    side = 0 if away < 0 else 1
                    edges[side] = min(edges[side], abs(away) / 2)
    return edges


def first_partial_signal(x, rate, hertz, edges):
    """The analytic signal of the partial near hertz alone: the one-sided spectrum of x (zero-padded
    to twice its length, so the band-pass does not wrap) kept within edges (below, above; shares of
    hertz) of hertz, flat over their inner halves, with raised-cosine edges."""
    size = 2 * len(x)
    spectrum = np.fft.fft(x, size)
    freqs = np.fft.fftfreq(size, 1.0 / rate)
    offset = freqs / hertz - 1.0
    edge = np.where(offset < 0, edges[0], edges[1])
    ratio = np.abs(offset) / edge
    gain = np.where(ratio <= 0.5, 1.0, np.where(ratio < 1.0, 0.5 + 0.5 * np.cos(math.pi * (ratio - 0.5) / 0.5), 0.0))
    gain[freqs <= 0] = 0.0
    return np.fft.ifft(2.0 * spectrum * gain)[:len(x)]


def phase_slope(z, rate):
    """Frequency of the analytic signal z: the slope of the least-squares line through its
    unwrapped phase, each sample weighted by its power."""
    phase = np.unwrap(np.angle(z))
    w = np.abs(z) ** 2
    t = np.arange(len(z)) / rate
    tm = np.sum(w * t) / np.sum(w)
    pm = np.sum(w * phase) / np.sum(w)
    return np.sum(w * (t - tm) * (phase - pm)) / np.sum(w * (t - tm) ** 2) / (2 * math.pi)


def sustain_peak(x, rate, hertz, reach_cents):
    """Frequency and magnitude of the highest point of the Blackman-windowed x's Fourier transform
    within reach_cents of hertz: the highest bin of a transform zero-padded to 2^20 points, then
    the transform evaluated directly every 0.1 c and every 0.005 c around the best so far."""
    xw = x * np.blackman(len(x))
    size = 1 << 20
    spectrum = np.abs(np.fft.rfft(xw, size))
    lo = int(math.floor(hertz * 2 ** (-reach_cents / 1200) * size / rate))
    hi = int(math.ceil(hertz * 2 ** (reach_cents / 1200) * size / rate))
    best = (lo + int(np.argmax(spectrum[lo:hi + 1]))) * rate / size
    t = np.arange(len(x)) / rate
    for span, step in ((2.0, 0.1), (0.1, 0.005)):
        # A grid even in hertz: each point's kernel is the previous one's times a fixed step.
        first, spacing = best * 2 ** (-span / 1200), best * (2 ** (step / 1200) - 1)
        kernel = xw * np.exp(-2j * math.pi * first * t)
        turn = np.exp(-2j * math.pi * spacing * t)
        magnitudes = []
        for _ in range(int(round(2 * span / step)) + 1):
            magnitudes.append(abs(kernel.sum()))
            kernel *= turn
        best = first + spacing * int(np.argmax(magnitudes))
    return best, float(np.max(magnitudes))


def buffer_span(complete):
    """Audio time of the newest complete capture buffer when `complete` buffers are done."""
    return (complete - 1) * BUFFER / CAPTURE_RATE, complete * BUFFER / CAPTURE_RATE


def detuning_of(complete):
    start = buffer_span(complete)[0]
    for onset, detune in zip(onsets(), DETUNINGS):
        if onset <= start < onset + NOTE_SECONDS:
            return detune
    return None


def measure_truth(clean, rate, nominal):
    """Per note: the true first partial of every loud capture buffer inside a note, {buffer:
    hertz}; per detune the sustain's first partial; at 0 c partials 2-8 in cents against n times
    the first (those within 60 dB of the strongest) and the first's level against the strongest,
    dB; the per-buffer truths' distance from their sustain's first partial, in cents; and the
    loud buffers left out because their first partial is too weak to measure, or glides; per
    detune whether another tone near the first partial narrowed the band that cuts it out; and per
    buffer how far the truth moves, in cents, when a band of BAND_EDGE alone cuts the partial out,
    and, per buffer with a truth, {buffer: cents} how far its first partial moves within it (the
    frequencies of its two halves compared)."""
    truths, sustains, stretch, spread, weak, gliding, narrowed, by_band, moves = {}, {}, None, [], [], [], [], [], {}
    for onset, detune in zip(onsets(), DETUNINGS):
        a, b = int(onset * rate), int((onset + NOTE_SECONDS) * rate)
        note = clean[a:b]
        asked = nominal * 2 ** (detune / 1200)
        f1, m1 = sustain_peak(note[int(0.05 * rate):], rate, asked, 60)
        sustains[detune] = f1
        if abs(cents(f1, asked)) > 50:
            continue  # no first partial near where it was asked for: the note is left out
        if detune == 0:
            uppers = [(n, *sustain_peak(note[int(0.05 * rate):], rate, n * f1, 80)) for n in range(2, 9) if n * f1 < 5000]
            strongest = max([m1] + [m for _, _, m in uppers])
            stretch = ({n: cents(f, n * f1) for n, f, m in uppers if m > 1e-3 * strongest}, 20 * math.log10(m1 / strongest))
        edges = band_edges(note[int(0.05 * rate):], rate, f1)
        narrowed.append(min(edges) < max(BAND_EDGE, BAND_EDGE_HERTZ / f1))
        z = first_partial_signal(note, rate, f1, edges)
        z_narrow = first_partial_signal(note, rate, f1, (BAND_EDGE, BAND_EDGE))
        complete = int(onset * CAPTURE_RATE / BUFFER) + 1
        while True:
            start, end = buffer_span(complete)
            if end > onset + NOTE_SECONDS:
                break
            i, j = int(start * rate), int(end * rate)
            # Only where the note alone makes a loud tick: noise must not stand in for the note.
            if start >= onset and math.sqrt(np.mean(clean[i:j] ** 2)) / 32768 > LOUD:
                # A first partial far under the rest of the buffer is not measured reliably (the
                # attack's click and the other partials' skirts reach into its band): left out.
                if np.mean(np.abs(z[i - a:j - a]) ** 2) < WEAKEST_FIRST_PARTIAL * np.mean(clean[i:j] ** 2):
                    weak.append(complete)
                elif (move := abs(cents(phase_slope(z[i - a:(i + j) // 2 - a], rate),
                                        phase_slope(z[(i + j) // 2 - a:j - a], rate)))) > LONGEST_GLIDE_CENTS:
                    gliding.append(complete)
                else:
                    truths[complete] = phase_slope(z[i - a:j - a], rate)
                    moves[complete] = move
                    spread.append(cents(truths[complete], f1))
                    by_band.append(cents(truths[complete], phase_slope(z_narrow[i - a:j - a], rate)))
            complete += 1
    return truths, sustains, stretch, spread, weak, gliding, narrowed, by_band, moves


# --- The conditions ------------------------------------------------------------------------------

def sounding_rms(x, rate):
    return math.sqrt(np.mean(np.concatenate([x[int(o * rate):int((o + NOTE_SECONDS) * rate)] for o in onsets()]) ** 2))


def hum(length, rate, level_rms, seed):
    """Mains hum, level_rms: 50 Hz on odd notes, 60 Hz on even ones, each with harmonics 2-4;
    the phase runs on without a jump where the mains frequency changes."""
    mains = np.full(length, 60.0)
    for i, onset in enumerate(onsets()):
        if i % 2 == 0:
            mains[int(max(0.0, onset - GAP_SECONDS / 2) * rate):int((onset + NOTE_SECONDS + GAP_SECONDS / 2) * rate)] = 50.0
    return mains_hum(mains, rate, level_rms, seed)


def mains_hum(mains, rate, level_rms, seed):
    phase = 2 * math.pi * np.cumsum(mains) / rate
    offsets = np.random.default_rng(seed).uniform(0, 2 * math.pi, len(HUM_HARMONICS))
    out = sum(a * np.sin(k * phase + p) for k, (a, p) in enumerate(zip(HUM_HARMONICS, offsets), start=1))
    return out * level_rms / math.sqrt(np.mean(out ** 2))


def pink(length, level_rms, seed):
    """Pink noise: seeded white noise shaped to a power falling as 1/f."""
    spectrum = np.fft.rfft(np.random.default_rng(seed).standard_normal(length))
    f = np.arange(len(spectrum), dtype=np.float64)
    f[0] = 1.0
    noise = np.fft.irfft(spectrum / np.sqrt(f), length)
    return noise * level_rms / math.sqrt(np.mean(noise ** 2))


def low_cut(source, target):
    """A 4th-order Butterworth high-pass at 100 Hz: two second-order sections, Q 0.541 and 1.307."""
    subprocess.run(["sox", source, target, "highpass", "100", "0.5412q", "highpass", "100", "1.3066q"], check=True)


def write_scaled(path, x, rate):
    peak = np.max(np.abs(x))
    write_wav(path, x * (32000 / peak if peak > 32000 else 1.0), rate)


def render(program, note, work):
    """Renders one program playing one note at every detune in every condition; returns the
    truth measured on the clean rendering and the files. Renderings kept in work are reused."""
    name, key = note[0], note[1]
    base = os.path.join(work, f"p{program}_{name}")
    files = [(label, f"{base}_{label.replace(' ', '')}.wav") for label in CONDITIONS]
    nominal = 440.0 * 2 ** ((key - 69) / 12)
    if not all(os.path.exists(f) for _, f in files):
        with open(base + ".mid", "wb") as f:
            f.write(midi_file(program, key))
        subprocess.run(["fluidsynth", "-ni", "-q", "-R", "0", "-C", "0", "-g", "0.6", "-r", str(RENDER_RATE),
                        "-F", base + ".wav", SOUNDFONT, base + ".mid"], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        clean, rate = read_wav(base + ".wav")
        write_wav(files[0][1], clean, rate)
        low_cut(files[0][1], files[1][1])
        cut, _ = read_wav(files[1][1])
        seed = program * 1000 + key
        write_scaled(files[2][1], clean + hum(len(clean), rate, sounding_rms(clean, rate) / 10 ** (HUM_UNDER_NOTE_DB / 20),
                                              seed), rate)
        level = sounding_rms(cut, rate)
        phone = (cut + hum(len(cut), rate, level / 10 ** (HUM_UNDER_NOTE_DB / 20), seed)
                 + pink(len(cut), level / 10 ** (PINK_UNDER_NOTE_DB / 20), seed))
        write_scaled(files[3][1], phone, rate)
    # Measured on the clean file as written, as a later run that reuses it measures it.
    clean, rate = read_wav(files[0][1])
    return measure_truth(clean, rate, nominal), files


def hum_alone_files(work):
    """Hum alone, 50 and 60 Hz, at each level of HUM_ALONE_LEVELS: [(mains, level, path)]."""
    out = []
    for mains in (50.0, 60.0):
        for level in HUM_ALONE_LEVELS:
            path = os.path.join(work, f"hum{int(mains)}_{level}.wav")
            n = int(HUM_ALONE_SECONDS * RENDER_RATE)
            write_wav(path, mains_hum(np.full(n, mains), RENDER_RATE, level * 32768, int(mains)), RENDER_RATE)
            out.append((mains, level, path))
    return out


# --- Scoring -------------------------------------------------------------------------------------

def analyze(tuner, path, tuning, estimator):
    out = subprocess.run([tuner, "--analyze", path, "--tuning", str(tuning), "--estimator", estimator],
                         check=True, capture_output=True, text=True).stdout
    return list(csv.DictReader(io.StringIO(out)))


def ticks_of(rows, truths):
    """(buffer, truth, reading, string shown) of every loud tick whose buffer has a truth."""
    out = []
    for row in rows:
        complete = int(float(row["time"]) * CAPTURE_RATE + 1e-6) // BUFFER
        if row["state"] == "loud" and complete in truths:
            out.append((complete, truths[complete], float(row["frequency"]), int(row["string"]) if row["string"] else None))
    return out


def metrics(ticks):
    """ticks: (truth, reading, shown, expected string, window low, window high). Returns loud
    ticks, wrong %, median and p90 |error| (c), in-tune recall %, false greens %."""
    if not ticks:
        return None
    errors, wrong, inside, recalled, outside, false = [], 0, 0, 0, 0, 0
    margin = 2 ** (1 / 1200)
    for truth, reading, shown, expected, lo, hi in ticks:
        error = abs(cents(reading, truth)) if reading > 0 else math.inf
        if error > 50:
            wrong += 1
        else:
            errors.append(error)
        if lo <= truth <= hi:
            inside += 1
            recalled += shown == expected
        elif truth < lo / margin or truth > hi * margin:
            outside += 1
            false += shown is not None
    share = lambda a, b: 100.0 * a / b if b else math.nan
    return (len(ticks), share(wrong, len(ticks)), np.median(errors) if errors else math.nan,
            np.percentile(errors, 90) if errors else math.nan, share(recalled, inside), share(false, outside))


def fmt(m):
    if m is None:
        return f"{'-':>38}"
    return f"{m[1]:>6.1f}% {m[2]:>5.2f} {m[3]:>6.2f} {m[4]:>6.1f}% {m[5]:>6.1f}%"


def table(title, rows, estimators):
    head = "".join(f"   {e + ': wrong   med    p90  recall  false':>41}" for e in estimators)
    print(f"\n{title:<14}{'ticks':>7}{head}")
    for name, by in rows:
        ticks = next((m[0] for m in by.values() if m), 0)  # 0: no such notes in a subset run
        print(f"{name:<14}{ticks:>7}" + "".join(f"   {fmt(by.get(e))}" for e in estimators))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--tuner", default=os.path.join(top, "build", "src", "balalaika-tuner"))
    parser.add_argument("--work", default=None)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--programs", default=",".join(str(p) for p in DEFAULT_PROGRAMS),
                        help="General MIDI program numbers, comma-separated")
    parser.add_argument("--estimators", default="default,precise", help="to compare variants of one")
    parser.add_argument("--notes", default=",".join(n[0] for n in NOTES), help="note names, comma-separated")
    parser.add_argument("--conditions", default=",".join(CONDITIONS), help="comma-separated")
    parser.add_argument("--ticks", default=None, help="CSV file to write every scored tick to")
    args = parser.parse_args()
    programs = [int(p) for p in args.programs.split(",")]
    notes = [n for n in NOTES if n[0] in args.notes.split(",")]
    estimators = args.estimators.split(",")
    conditions = [c for c in CONDITIONS if c in args.conditions.split(",")]
    work = args.work or tempfile.mkdtemp(prefix="precise-corpus-")
    os.makedirs(work, exist_ok=True)

    scored = []  # (estimator, condition, note, program, detune, buffer, truth, reading, shown)
    measured = {}  # (program, note) -> measure_truth's result
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        rendered = {(p, n): pool.submit(render, p, n, work) for p in programs for n in notes}
        jobs = []
        for (p, n), fut in rendered.items():
            result, files = fut.result()
            measured[(p, n[0])] = result
            for label, path in files:
                if label in conditions:
                    for est in estimators:
                        jobs.append((est, label, n, p, result[0], pool.submit(analyze, args.tuner, path, n[2], est)))
        hum_jobs = [(est, mains, level, t, pool.submit(analyze, args.tuner, path, t, est))
                    for mains, level, path in hum_alone_files(work) for est in estimators for t in range(1, 6)]
        for est, label, n, p, truths, fut in jobs:
            for c, truth, reading, shown in ticks_of(fut.result(), truths):
                scored.append((est, label, n, p, detuning_of(c), c, truth, reading, shown))
        hum_rows = [(est, mains, level, t, fut.result()) for est, mains, level, t, fut in hum_jobs]

    if args.ticks:
        with open(args.ticks, "w", newline="") as f:
            out = csv.writer(f)
            out.writerow(["estimator", "condition", "note", "program", "detune", "buffer", "truth", "reading", "shown"])
            out.writerows([(e, c, n[0], PROGRAMS[p], d, b, t, r, s) for e, c, n, p, d, b, t, r, s in scored])

    print(f"corpus: {len(programs)} programs ({', '.join(PROGRAMS[p] for p in programs)}), {len(notes)} notes, "
          f"detunes {DETUNINGS} c, conditions {', '.join(conditions)}; audio in {work}")
    print_truth_checks(measured, programs, notes)

    def group(key):
        """{(estimator, condition, name): metrics} with the ticks grouped by key."""
        out = {}
        for e, c, n, p, d, b, t, r, s in scored:
            out.setdefault((e, c, key(n, p)), []).append((t, r, s, n[3], n[4], n[5]))
        return {k: metrics(v) for k, v in out.items()}

    by_note = group(lambda n, p: n[0])
    by_program = group(lambda n, p: PROGRAMS[p])
    overall = group(lambda n, p: "all")
    for c in conditions:
        print(f"\n=== {c} ===")
        table("by note", [(n[0], {e: by_note.get((e, c, n[0])) for e in estimators}) for n in notes], estimators)
        table("by program", [(PROGRAMS[p], {e: by_program.get((e, c, PROGRAMS[p])) for e in estimators})
                             for p in programs], estimators)
    table("all notes", [(c, {e: overall.get((e, c, "all")) for e in estimators}) for c in conditions], estimators)

    print_misses(scored, conditions, estimators)

    # A single number is the true pitch of a buffer only as far as its first partial holds still
    # across it; where it moves, the truth's weighting of the buffer's moments and any
    # estimator's differ, and so do their readings.
    def steadiness(n, p, b):
        return "steady" if measured[(p, n[0])][8][b] < STEADY_CENTS else "moving"
    by_steadiness = {}
    for e, c, n, p, d, b, t, r, s in scored:
        by_steadiness.setdefault((e, c, f"{n[0]} {steadiness(n, p, b)}"), []).append((t, r, s, n[3], n[4], n[5]))
    by_steadiness = {k: metrics(v) for k, v in by_steadiness.items()}
    for c in conditions:
        table(f"{c}: first partial within {STEADY_CENTS:g} c across the buffer (steady) or not (moving)",
              [(f"{n[0]} {kind}", {e: by_steadiness.get((e, c, f"{n[0]} {kind}")) for e in estimators})
               for n in notes for kind in ("steady", "moving")], estimators)

    print("\nhum alone (no note played), loud ticks over the five tunings:")
    for est in estimators:
        for mains in (50.0, 60.0):
            for level in HUM_ALONE_LEVELS:
                rows = [r for e, m, lv, t, rs in hum_rows if (e, m, lv) == (est, mains, level) for r in rs]
                loud = [r for r in rows if r["state"] == "loud"]
                notes_shown = sum(1 for r in loud if r["string"])
                readings = sorted(float(r["frequency"]) for r in loud if float(r["frequency"]) > 0)
                middle = f"{readings[len(readings) // 2]:.1f} Hz" if readings else "-"
                print(f"  {est:<8} {int(mains)} Hz at power {level}: {len(loud)} loud ticks, {notes_shown} show a note, "
                      f"{len(readings)} give a reading (median {middle})")


MOMENTS = [("attack", 0.3), ("sustain", 1.2), ("decay", math.inf)]


def print_misses(scored, conditions, estimators):
    """Where in-tune recall is lost, per estimator and condition."""
    print("\nrecall lost: in-window ticks not showing the note, by what they read, by moment "
          "(attack < 0.3 s after the onset < sustain < 1.2 s < decay) and by the truth's nearness to the "
          "window's edge (missed / in window)")
    for e in estimators:
        for c in conditions:
            kinds, moments = {"few cents": 0, "nothing": 0, "other note": 0}, {m: [0, 0] for m, _ in MOMENTS}
            near_edge = [0, 0]  # in-window ticks whose truth lies within NEAR_EDGE_CENTS of its edge: missed, all
            for est, cond, n, p, d, b, t, r, shown in scored:
                if est != e or cond != c or not n[4] <= t <= n[5]:
                    continue
                since = buffer_span(b)[0] - onsets()[DETUNINGS.index(d)]
                moment = next(m for m, end in MOMENTS if since < end)
                moments[moment][1] += 1
                edge = min(cents(t, n[4]), cents(n[5], t)) < NEAR_EDGE_CENTS
                near_edge[1] += edge
                if shown == n[3]:
                    continue
                moments[moment][0] += 1
                near_edge[0] += edge
                kinds["nothing" if r <= 0 else "other note" if abs(cents(r, t)) > 50 else "few cents"] += 1
            missed = sum(kinds.values())
            print(f"  {e:<8} {c:<8} {missed:>4} missed: " + ", ".join(f"{k} {v}" for k, v in kinds.items())
                  + "; " + ", ".join(f"{m} {a}/{b}" for m, (a, b) in moments.items())
                  + f"; truth within {NEAR_EDGE_CENTS:g} c of the window's edge {near_edge[0]}/{near_edge[1]}")


def stepped_note_errors(hertz, rate=RENDER_RATE):
    """The per-buffer truth's error on a made note whose pitch steps by up to 12 c from one capture
    buffer to the next: six decaying harmonics, the steps phase-continuous at the buffers' edges."""
    steps = [0, 6, -6, 3, -3, 6, 0, -6, 0, 0]
    span = BUFFER / CAPTURE_RATE
    t = np.arange(int(NOTE_SECONDS * rate)) / rate
    held = np.array(steps)[np.minimum((t / span).astype(int), len(steps) - 1)]
    phase = 2 * math.pi * np.cumsum(hertz * 2 ** (held / 1200)) / rate
    note = sum(np.sin(h * phase) / h for h in range(1, 7)) * np.exp(-t / 0.8) * 8000
    z = first_partial_signal(note, rate, hertz, band_edges(note, rate, hertz))
    return [cents(phase_slope(z[int(k * span * rate):int((k + 1) * span * rate)], rate), hertz * 2 ** (steps[k] / 1200))
            for k in range(1, len(steps) - 2)]


def print_truth_checks(measured, programs, notes):
    spread = [s for p in programs for n in notes for s in measured[(p, n[0])][3]]
    print(f"\ntruth: {len(spread)} buffers; first partial per buffer against the sustain's: median |diff| "
          f"{np.median(np.abs(spread)):.2f} c, p90 {np.percentile(np.abs(spread), 90):.2f} c, "
          f"largest {np.max(np.abs(spread)):.2f} c")
    made = {n[0]: max(abs(e) for e in stepped_note_errors(440.0 * 2 ** ((n[1] - 69) / 12))) for n in notes}
    print("truth on a made note stepping up to 12 c between buffers, largest error: "
          + ", ".join(f"{k} {v:.2f} c" for k, v in made.items()))
    print("truth's dependence on its band (against a band of 5 % either side), p90 over the buffers: "
          + ", ".join(f"{n[0]} {np.percentile(np.abs([d for p in programs for d in measured[(p, n[0])][7]]), 90):.2f} c"
                      for n in notes))
    for p in programs:
        weak = sum(len(measured[(p, n[0])][4]) for n in notes)
        gliding = sum(len(measured[(p, n[0])][5]) for n in notes)
        loud = weak + gliding + sum(len(measured[(p, n[0])][0]) for n in notes)
        if weak:
            print(f"{PROGRAMS[p]}: {weak} of {loud} loud buffers left out, the first partial 30 dB or more under "
                  f"the buffer's power")
        if gliding:
            print(f"{PROGRAMS[p]}: {gliding} of {loud} loud buffers left out, the first partial gliding more than "
                  f"{LONGEST_GLIDE_CENTS} c across the buffer")
        narrowed = sum(sum(measured[(p, n[0])][6]) for n in notes)
        if narrowed:
            print(f"{PROGRAMS[p]}: {narrowed} of {len(notes) * len(DETUNINGS)} notes with the first partial's band "
                  f"narrowed on one side by another tone within {BAND_NEIGHBOUR_DB} dB of it")
    left_out = [(PROGRAMS[p], n[0], d) for p in programs for n in notes for d, f in measured[(p, n[0])][1].items()
                if abs(cents(f, 440.0 * 2 ** ((n[1] - 69 + d / 100) / 12))) > 50]
    print(f"notes left out, no first partial within 50 c of the one asked for: {left_out or 'none'}")
    print("truth against the detune asked (sustain's first partial at each detune less that at 0 c, "
          "less the detune), and the sample's own tuning at 0 c:")
    print(f"{'program':<14}{'median |diff|':>14}{'largest':>9}{'tuning at 0 c: median':>23}{'range':>16}")
    for p in programs:
        diffs, offsets = [], []
        for n in notes:
            sustains = measured[(p, n[0])][1]
            offsets.append(cents(sustains[0], 440.0 * 2 ** ((n[1] - 69) / 12)))
            diffs += [cents(sustains[d], sustains[0]) - d for d in DETUNINGS if d != 0]
        print(f"{PROGRAMS[p]:<14}{np.median(np.abs(diffs)):>13.2f}c{np.max(np.abs(diffs)):>8.2f}c"
              f"{np.median(offsets):>22.1f}c{min(offsets):>8.1f}..{max(offsets):.1f}c")
    print("\ninharmonicity over the sustain: partial n against n times the first, cents, median over notes "
          "at 0 c (first partial's level against the strongest, dB)")
    print(f"{'program':<14}" + "".join(f"{'n=' + str(n):>7}" for n in range(2, 9)) + f"{'level 1':>10}")
    for p in programs:
        per = {n: [] for n in range(2, 9)}
        levels = []
        for n in notes:
            stretch, level = measured[(p, n[0])][2]
            levels.append(level)
            for k, c in stretch.items():
                per[k].append(c)
        print(f"{PROGRAMS[p]:<14}" + "".join(f"{np.median(per[k]):>7.1f}" if per[k] else f"{'-':>7}" for k in range(2, 9))
              + f"{np.median(levels):>10.1f}")


if __name__ == "__main__":
    sys.exit(main())
