#!/usr/bin/python3
"""Accuracy of the two pitch estimates on sampled plucked instruments.

Renders every target note of the five tunings with fluidsynth and the General MIDI soundfont,
played by several plucked programs at detunings of 0, +-4, +-6, +-10 and +-25 cents, clean and
with pink and white noise (sox) at 20 and 10 dB SNR. The true pitch of each note is measured
from the rendering itself (harmonic peaks of a long zero-padded spectrum), then every rendering
goes through `balalaika-tuner --analyze` with `--estimator default` and `--estimator precise`.

Prints, per note and estimator, over the loud ticks whose buffer lies inside a sounding note:
how often the in-tune verdict (the matched string, or none) agrees with the verdict of the true
pitch, and how often the reading is off by half an octave or more (octave errors).

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
WINDOWS = {}  # tuning -> [(low, high, string)]
for _, _, t, s, lo, hi in NOTES:
    if (lo, hi, s) not in WINDOWS.setdefault(t, []):
        WINDOWS[t].append((lo, hi, s))
DETUNINGS = [0, 4, -4, 6, -6, 10, -10, 25, -25]
NOISES = [("clean", None, None), ("pink 20dB", "pinknoise", 20), ("pink 10dB", "pinknoise", 10),
          ("white 20dB", "whitenoise", 20), ("white 10dB", "whitenoise", 10)]
NOTE_SECONDS = 2.5
GAP_SECONDS = 1.0
LEAD_SECONDS = 0.5


def match(tuning, hertz):
    for lo, hi, string in WINDOWS[tuning]:
        if lo <= hertz <= hi:
            return string
    return None


def midi_file(program, key):
    """One track: per detuning a pitch bend set in silence, then the note for NOTE_SECONDS."""
    ticks_per_second = 1000  # 500 ticks per quarter at the default 120 bpm
    events = []

    def var(n):
        out = [n & 0x7F]
        n >>= 7
        while n:
            out.insert(0, 0x80 | (n & 0x7F))
            n >>= 7
        return bytes(out)

    # Bend range: 2 semitones (RPN 0), so one cent is 8192 / 200 bend units.
    events += [(0, bytes([0xC0, program]))]
    events += [(0, bytes([0xB0, 101, 0])), (0, bytes([0xB0, 100, 0])), (0, bytes([0xB0, 6, 2])),
               (0, bytes([0xB0, 38, 0]))]
    t = LEAD_SECONDS
    for cents in DETUNINGS:
        bend = max(0, min(16383, 8192 + round(cents * 8192 / 200)))
        events.append((t - 0.2, bytes([0xE0, bend & 0x7F, bend >> 7])))
        events.append((t, bytes([0x90, key, 100])))
        events.append((t + NOTE_SECONDS, bytes([0x80, key, 0])))
        t += NOTE_SECONDS + GAP_SECONDS
    events.append((t, bytes([0xFF, 0x2F, 0])))
    track, last = b"", 0
    for when, data in sorted(events, key=lambda e: e[0]):
        tick = round(when * ticks_per_second)
        track += var(tick - last) + data
        last = tick
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 500)
    return header + b"MTrk" + struct.pack(">I", len(track)) + track


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


def true_pitch(signal, rate, nominal):
    """Pitch of a stretch of one clean note from its harmonics' peaks in a finely sampled
    spectrum. nominal only says where to look (within 60 cents); the value is measured."""
    x = signal * np.hanning(len(signal))
    size = 1 << 19
    spectrum = np.abs(np.fft.rfft(x, size))
    bin_hz = rate / size
    found = []
    for h in range(1, 9):
        centre = nominal * h
        if centre > 4000:
            break
        lo, hi = int(centre * 2 ** (-60 / 1200) / bin_hz), int(centre * 2 ** (60 / 1200) / bin_hz)
        k = lo + int(np.argmax(spectrum[lo:hi]))
        a, b, c = np.log(spectrum[k - 1:k + 2] + 1e-12)
        offset = 0.5 * (a - c) / (a - 2 * b + c) if a - 2 * b + c < 0 else 0.0
        found.append((spectrum[k], (k + offset) * bin_hz / h))
    strongest = max(m for m, _ in found)
    # The partials that stand out, each weighing by its power: the pitch a listener tunes to
    # when the partials of a real string do not line up exactly.
    strong = [(m * m, f) for m, f in found if m >= 0.1 * strongest]
    return sum(p * f for p, f in strong) / sum(p for p, _ in strong)


def buffer_span(complete):
    """Audio time of the newest complete capture buffer when `complete` buffers are done."""
    return (complete - 1) * BUFFER / CAPTURE_RATE, complete * BUFFER / CAPTURE_RATE


def detuning_of(complete):
    """The detuning of the note whose span holds the start of capture buffer complete."""
    start = buffer_span(complete)[0]
    for onset, cents in zip(onsets(), DETUNINGS):
        if onset <= start < onset + NOTE_SECONDS:
            return cents
    return None


def truths_of(clean, rate, nominal):
    """True pitch of every capture buffer that lies wholly inside a note and is loud without
    noise, measured on the same stretch of the clean rendering: {buffer number: hertz}. The
    pitch of a sampled string drifts by a few cents as it decays, so each buffer gets its own."""
    truths = {}
    for onset, cents in zip(onsets(), DETUNINGS):
        complete = int(onset * CAPTURE_RATE / BUFFER) + 1
        while True:
            start, end = buffer_span(complete)
            if end > onset + NOTE_SECONDS:
                break
            stretch = clean[int(start * rate):int(end * rate)]
            # Only where the note alone makes a loud tick: noise must not stand in for the note.
            if start >= onset and math.sqrt(np.mean(stretch ** 2)) / 32768 > LOUD:
                truths[complete] = true_pitch(stretch, rate, nominal * 2 ** (cents / 1200))
            complete += 1
    return truths


def render(program, note, work):
    """Renders one program playing one note at every detuning, clean and noisy; returns the
    true pitch per capture buffer and the files. Renderings kept in work are reused."""
    name, key = note[0], note[1]
    base = os.path.join(work, f"p{program}_{name}")
    files = [(label, f"{base}_{label.replace(' ', '')}.wav") for label, _, _ in NOISES]
    nominal = 440.0 * 2 ** ((key - 69) / 12)
    if all(os.path.exists(f) for _, f in files):
        clean, rate = read_wav(files[0][1])
        return truths_of(clean, rate, nominal), files
    with open(base + ".mid", "wb") as f:
        f.write(midi_file(program, key))
    subprocess.run(["fluidsynth", "-ni", "-q", "-R", "0", "-C", "0", "-g", "0.6", "-r", str(RENDER_RATE),
                    "-F", base + ".wav", SOUNDFONT, base + ".mid"], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    clean, rate = read_wav(base + ".wav")
    sounding = [clean[int(onset * rate):int((onset + NOTE_SECONDS) * rate)] for onset in onsets()]
    signal_rms = math.sqrt(np.mean(np.concatenate(sounding) ** 2))
    files = []
    for label, kind, snr in NOISES:
        path = f"{base}_{label.replace(' ', '')}.wav"
        if kind is None:
            write_wav(path, clean, rate)
        else:
            noise_path = base + f"_{kind}.wav"
            subprocess.run(["sox", "-n", "-r", str(rate), "-c", "1", "-b", "16", noise_path, "synth",
                            str(len(clean) / rate), kind, "vol", "0.5"], check=True)
            noise, _ = read_wav(noise_path)
            noise = noise[:len(clean)]
            noise *= signal_rms / 10 ** (snr / 20) / math.sqrt(np.mean(noise ** 2))
            mix = clean + noise
            peak = np.max(np.abs(mix))
            write_wav(path, mix * (32000 / peak if peak > 32000 else 1.0), rate)
        files.append((label, path))
    # Measured on the clean file as written, as a later run that reuses it measures it.
    clean, rate = read_wav(files[0][1])
    return truths_of(clean, rate, nominal), files


def analyze(tuner, path, tuning, estimator):
    out = subprocess.run([tuner, "--analyze", path, "--tuning", str(tuning), "--estimator", estimator],
                         check=True, capture_output=True, text=True).stdout
    return list(csv.DictReader(io.StringIO(out)))


def score(rows, truths, tuning, log=None):
    """(loud ticks, agreeing verdicts, octave errors, no reading) over ticks inside notes.
    log, when given, gets (buffer, truth, estimate, agrees) of every scored tick."""
    loud = agree = octave = none = 0
    for row in rows:
        complete = int(float(row["time"]) * CAPTURE_RATE + 1e-6) // BUFFER
        if row["state"] != "loud" or complete not in truths:
            continue
        truth = truths[complete]
        est = float(row["frequency"])
        string = int(row["string"]) if row["string"] else None
        loud += 1
        agree += string == match(tuning, truth)
        if log is not None:
            log.append((complete, truth, est, string == match(tuning, truth)))
        if est <= 0:
            none += 1
        elif abs(1200 * math.log2(est / truth)) >= 600:
            octave += 1
    return loud, agree, octave, none


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
    parser.add_argument("--ticks", default=None, help="CSV file to write every scored tick to")
    args = parser.parse_args()
    programs = [int(p) for p in args.programs.split(",")]
    notes = [n for n in NOTES if n[0] in args.notes.split(",")]
    estimators = args.estimators.split(",")
    work = args.work or tempfile.mkdtemp(prefix="precise-corpus-")
    os.makedirs(work, exist_ok=True)

    totals = {}  # (estimator, note) -> [loud, agree, octave, none]; also per noise and program
    jobs = []
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        rendered = {(p, n[0]): pool.submit(render, p, n, work) for p in programs for n in notes}
        truth_log = []
        for (p, name), fut in rendered.items():
            truths, files = fut.result()
            note = next(n for n in NOTES if n[0] == name)
            truth_log.append((p, name, truths))
            for label, path in files:
                for est in estimators:
                    jobs.append((est, name, label, p, note[2], truths, pool.submit(analyze, args.tuner, path, note[2], est)))
        tick_log = []
        for est, name, label, p, tuning, truths, fut in jobs:
            ticks = []
            counts = score(fut.result(), truths, tuning, ticks)
            tick_log += [(est, name, label, PROGRAMS[p], detuning_of(c), c, t, e, a) for c, t, e, a in ticks]
            for key in ((est, "note", name), (est, "noise", label), (est, "program", PROGRAMS[p]),
                        (est, "all", "all")):
                acc = totals.setdefault(key, [0, 0, 0, 0])
                for i, c in enumerate(counts):
                    acc[i] += c

    if args.ticks:
        with open(args.ticks, "w", newline="") as f:
            out = csv.writer(f)
            out.writerow(["estimator", "note", "noise", "program", "detuning", "buffer", "truth", "estimate",
                          "agrees"])
            out.writerows(tick_log)

    drift = []
    for _, _, ts in truth_log:
        for onset in onsets():
            inside = [f for c, f in ts.items() if onset <= buffer_span(c)[0] < onset + NOTE_SECONDS]
            if inside:
                drift.append(1200 * math.log2(max(inside) / min(inside)))
    print(f"corpus: {len(programs)} programs ({', '.join(PROGRAMS[p] for p in programs)}), {len(notes)} notes, "
          f"detunings {DETUNINGS} c, {len(NOISES)} noise conditions; audio in {work}")
    print(f"true pitch measured per capture buffer on the clean rendering; pitch drift within one "
          f"note: median {np.median(drift):.1f} c, largest {max(drift):.1f} c")

    def cells(est, kind, n):
        c = totals.get((est, kind, n))
        if c is None:
            return f"{'-':>16} {'-':>6} "
        return f"{100 * c[1] / c[0]:>15.1f}% {100 * c[2] / c[0]:>6.1f}%"

    def table(kind, names):
        print(f"\n{'by ' + kind:<14}{'loud ticks':>11}   {'default: agree  octave':>24}   "
              f"{'precise: agree  octave  no-reading':>34}")
        for n in names:
            q = totals.get(("precise", kind, n))
            ticks = (q or totals[("default", kind, n)])[0]
            none = f"{100 * q[3] / q[0]:>10.1f}%" if q else ""
            print(f"{n:<14}{ticks:>11}   {cells('default', kind, n)}   {cells('precise', kind, n)} {none}")

    table("note", [n[0] for n in notes])
    table("noise", [n[0] for n in NOISES])
    table("program", [PROGRAMS[p] for p in programs])
    table("all", ["all"])


if __name__ == "__main__":
    sys.exit(main())
