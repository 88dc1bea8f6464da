#!/usr/bin/python3
"""Measures concert pitch, the heard-A listener, the locked string and the unison check on
renderings of sampled instruments (fluidsynth and the General MIDI soundfont).

  calibration  whole tunings rendered at A4 = 432, 443 and 446 (and 440 for comparison), each
               note at detunings 0, +-3 and +-10 cents, analysed with --a4 set to match: per A4
               the median |cents error| of loud ticks for A4..A2, the share of loud ticks at
               |detune| >= 6 c whose cents have the sign of the truth, and the share whose
               in-tune verdict agrees with the true pitch's.
  heard-a      an A at 443.0 Hz (A3, A4, A5; organs, accordions, harmonica, piano), analysed with --hear-a:
               the concert pitch it sets, against 443.0 and against the rendering's own pitch.
  lock         every string E1..A4 at detunings 0, +-10 and +-25 cents, analysed with the
               default estimator without and with --lock on the played string: per note the
               share of loud ticks whose meter reads the played string within 50 c of the truth.
  unison       two plucks in turn of one program, the second 0, 2, 4, 6, 10 or 25 cents above
               the first, on E4, A3 and E3, analysed with --unison: the share of checks whose
               gap lies within 1 c of the truth.

The truth is the rendering's own pitch: a sample of the soundfont may sit a few cents off its key,
and the synthesiser's pitch steps are whole cents. It is the first partial over the sustain,
measured as the corpus script measures its truth (scripts/precise-corpus.py), so that it shares
no formula with the estimates it scores. An organ or accordion that
sounds several detuned pipes or reeds at once has no single pitch; its first partial is that of
the loudest.

Usage: scripts/measure-tuning-features.py [--tuner build/src/balalaika-tuner] [--work DIR]
                                          [--programs 24,46,105] [--jobs N] [--estimator E] [PART ...]
PART is calibration, heard-a, lock or unison (default: all four).
"""
import argparse
import concurrent.futures
import csv
import importlib.util
import io
import math
import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

# The corpus script: its truth (the first partial over a sustain) and its MIDI writer.
_corpus_spec = importlib.util.spec_from_file_location(
    "precise_corpus", os.path.join(os.path.dirname(os.path.abspath(__file__)), "precise-corpus.py"))
CORPUS = importlib.util.module_from_spec(_corpus_spec)
_corpus_spec.loader.exec_module(CORPUS)

SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
RATE = 44100
CAPTURE_RATE = 14039.0
BUFFER = 4096
PLUCKED = {24: "nylon guitar", 25: "steel guitar", 46: "harp", 105: "banjo"}
HELD = {19: "church organ", 20: "reed organ", 21: "accordion", 23: "tango accordion", 22: "harmonica", 0: "piano"}
# note, MIDI key, tuning, string as --lock names it, string as the CSV reports it
STRINGS = [
    ("A4", 69, 1, 1, 1), ("E4", 64, 1, 2, 2), ("D4", 62, 2, 1, 1), ("A3", 57, 2, 2, 2),
    ("E3", 52, 3, 2, 2), ("D3", 50, 4, 1, 1), ("A2", 45, 4, 2, 2), ("E2", 40, 4, 3, 3),
    ("D2", 38, 5, 1, 1), ("A1", 33, 5, 2, 2), ("E1", 28, 5, 3, 3),
]
NOTE_SECONDS = 2.5
STEP_SECONDS = 3.5  # one note and the silence after it
LEAD_SECONDS = 0.5


def equal_tempered(key, a4=440.0):
    return a4 * 2.0 ** ((key - 69) / 12.0)


def cents(f, g):
    return 1200.0 * math.log2(f / g)


def render(path, program, notes):
    if not os.path.exists(path):
        with open(path + ".mid", "wb") as f:
            f.write(CORPUS.midi(program, notes))
        subprocess.run(["fluidsynth", "-ni", "-q", "-R", "0", "-C", "0", "-g", "0.6", "-r", str(RATE), "-F", path,
                        SOUNDFONT, path + ".mid"], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with wave.open(path) as w:
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
        return data.reshape(-1, w.getnchannels()).mean(axis=1)


def first_partial(samples, start, expected):
    """The first partial of the note sounding from start, over its sustain: the corpus script's
    independent truth (a Blackman-windowed transform evaluated directly around its highest point),
    which shares no formula with the tuner's estimates."""
    part = samples[int((start + 0.25) * RATE):int((start + 1.75) * RATE)]
    return CORPUS.sustain_peak(part, RATE, expected, 60)[0]


def analyze(tuner, path, *options):
    out = subprocess.run([tuner, "--analyze", path, *options], check=True, capture_output=True, text=True).stdout
    rows, extra = [], {}
    for line in out.splitlines():
        if line.startswith(("unison,", "a4,")):
            key, value = line.split(",")
            extra[key] = value
        else:
            rows.append(line)
    return list(csv.DictReader(io.StringIO("\n".join(rows)))), extra


def inside(tick_seconds, start):
    """Whether the buffer a tick analyses lies within the note that starts at start."""
    k = int(tick_seconds * CAPTURE_RATE + 1e-6) // BUFFER
    begin, end = (k - 1) * BUFFER / CAPTURE_RATE, k * BUFFER / CAPTURE_RATE
    return begin >= start + 0.05 and end <= start + NOTE_SECONDS


def loud_ticks(rows, starts):
    """(index of the note, row) for each loud tick inside a note."""
    for row in rows:
        if row["state"] != "loud":
            continue
        for i, start in enumerate(starts):
            if inside(float(row["time"]), start):
                yield i, row


def calibration(args, pool):
    detunes = [0, 3, -3, 10, -10]
    starts = [LEAD_SECONDS + i * STEP_SECONDS for i in range(len(detunes))]
    jobs = []
    for a4 in (440.0, 432.0, 443.0, 446.0):
        for program in args.programs:
            for name, key, tuning, _, string in STRINGS[:7]:  # A4..A2
                jobs.append((a4, program, name, key, tuning, string))

    def run(job):
        a4, program, name, key, tuning, string = job
        offset = cents(a4, 440.0)
        path = os.path.join(args.work, f"cal-{a4}-{program}-{name}.wav")
        samples = render(path, program, [(s, key, NOTE_SECONDS, offset + d) for s, d in zip(starts, detunes)])
        truths = [first_partial(samples, s, equal_tempered(key, a4) * 2 ** (d / 1200)) for s, d in zip(starts, detunes)]
        rows, _ = analyze(args.tuner, path, "--tuning", str(tuning), "--a4", f"{a4:g}", "--estimator", args.estimator)
        target = equal_tempered(key, a4)
        half = 6.0 if name == "A1" else 5.0
        out = []
        for i, row in loud_ticks(rows, starts):
            truth = cents(truths[i], target)
            reading = row["cents"]
            value = -50.0 if reading == "far-flat" else 50.0 if reading == "far-sharp" else float(reading)
            verdict_truth = string if abs(truth) <= half else None
            verdict = int(row["string"]) if row["string"] else None
            out.append((a4, abs(detunes[i]), abs(value - truth), (value > 0) == (truth > 0), verdict == verdict_truth))
        return out

    results = [r for part in pool.map(run, jobs) for r in part]
    print("\nCalibration (%s estimator; %s; notes A4..A2; detunes 0, ±3, ±10 c)" % (args.estimator, programs_text(args)))
    print("| A4 | loud ticks | median abs cents error | sign right, abs detune >= 6 c | verdict agrees |")
    print("|---|---|---|---|---|")
    for a4 in (440.0, 432.0, 443.0, 446.0):
        mine = [r for r in results if r[0] == a4]
        signed = [r for r in mine if r[1] >= 6]
        print(f"| {a4:g} | {len(mine)} | {np.median([r[2] for r in mine]):.2f} c | "
              f"{100.0 * sum(r[3] for r in signed) / len(signed):.1f} % of {len(signed)} | "
              f"{100.0 * sum(r[4] for r in mine) / len(mine):.1f} % |")


def heard_a(args, pool):
    jobs = [(program, key) for program in HELD for key in (57, 69, 81)]

    def run(job):
        program, key = job
        path = os.path.join(args.work, f"heard-{program}-{key}.wav")
        samples = render(path, program, [(0.3, key, 3.0, cents(443.0, 440.0))])
        truth = first_partial(samples, 0.3, equal_tempered(key, 443.0)) * 2 ** ((69 - key) / 12)
        _, extra = analyze(args.tuner, path, "--hear-a")
        return program, key, truth, extra.get("a4", "none")

    print("\nFrom a heard note (an A rendered at 443.0 Hz; analysed with --hear-a at A4 = 440)")
    print("| program | note | rendering's own pitch (as A4) | A4 set | set - 443.0 | set - rendering |")
    print("|---|---|---|---|---|---|")
    names = {57: "A3", 69: "A4", 81: "A5"}
    for program, key, truth, value in pool.map(run, jobs):
        if value == "none":
            print(f"| {HELD[program]} | {names[key]} | {truth:.2f} Hz | none | | |")
        else:
            v = float(value)
            print(f"| {HELD[program]} | {names[key]} | {truth:.2f} Hz | {v:.1f} | {v - 443.0:+.1f} Hz | {v - truth:+.2f} Hz |")


def lock(args, pool):
    detunes = [0, 10, -10, 25, -25]
    starts = [LEAD_SECONDS + i * STEP_SECONDS for i in range(len(detunes))]
    jobs = [(program, s) for program in args.programs for s in STRINGS]

    def run(job):
        program, (name, key, tuning, lock_string, string) = job
        path = os.path.join(args.work, f"lock-{program}-{name}.wav")
        samples = render(path, program, [(s, key, NOTE_SECONDS, d) for s, d in zip(starts, detunes)])
        truths = [cents(first_partial(samples, s, equal_tempered(key) * 2 ** (d / 1200)), equal_tempered(key))
                  for s, d in zip(starts, detunes)]
        counts = []
        for options in ([], ["--lock", str(lock_string)]):
            rows, _ = analyze(args.tuner, path, "--tuning", str(tuning), "--estimator", "default", *options)
            good = total = 0
            for i, row in loud_ticks(rows, starts):
                total += 1
                reading = row["cents"]
                if reading in ("far-flat", "far-sharp") or reading == "":
                    continue
                # The meter names its string in the headless line only: here the distance must be
                # from the played string's pitch, which a reading of another string never is
                # within 50 c (strings of a tuning lie 500 c or more apart).
                if abs(float(reading) - truths[i]) <= 50.0:
                    good += 1
            counts.append((good, total))
        return name, counts

    totals = {}
    for name, counts in pool.map(run, jobs):
        for which, (good, total) in enumerate(counts):
            g, t = totals.get((name, which), (0, 0))
            totals[(name, which)] = (g + good, t + total)
    print("\nLock (default estimator; %s; detunes 0, ±10, ±25 c): loud ticks whose meter reads the played"
          " string within 50 c of the truth" % programs_text(args))
    print("| note | loud ticks | without lock | with the lock on the played string |")
    print("|---|---|---|---|")
    for name, *_ in STRINGS:
        (g0, t0), (g1, t1) = totals[(name, 0)], totals[(name, 1)]
        print(f"| {name} | {t0} | {100.0 * g0 / max(1, t0):.1f} % | {100.0 * g1 / max(1, t1):.1f} % |")


def unison(args, pool):
    gaps = [0, 2, 4, 6, 10, 25]
    pairs = [("E4", 64, 1), ("A3", 57, 2), ("E3", 52, 3)]
    jobs = [(program, pair, gap, base) for program in args.programs for pair in pairs for gap in gaps
            for base in (-3.0, 4.0)]

    def run(job):
        program, (name, key, tuning), gap, base = job
        path = os.path.join(args.work, f"unison-{program}-{name}-{gap}-{base}.wav")
        samples = render(path, program, [(LEAD_SECONDS, key, NOTE_SECONDS, base),
                                         (LEAD_SECONDS + STEP_SECONDS, key, NOTE_SECONDS, base + gap)])
        # The truth: the two plucks' first partials as rendered. The synthesiser rounds pitches to
        # whole cents on its own, so the bends alone may be a cent off.
        first = first_partial(samples, LEAD_SECONDS, equal_tempered(key) * 2 ** (base / 1200))
        second = first_partial(samples, LEAD_SECONDS + STEP_SECONDS, equal_tempered(key) * 2 ** ((base + gap) / 1200))
        truth = cents(second, first)
        _, extra = analyze(args.tuner, path, "--tuning", str(tuning), "--unison")
        value = extra.get("unison", "none")
        reported = None if value == "none" else float(value.rstrip("c"))
        if reported is None or abs(reported - truth) > 1.0:
            print(f"unison: {PLUCKED.get(program, program)} {name} gap {gap} c from {base:+} c: truth {truth:+.2f} c, "
                  f"reported {value}", file=sys.stderr)
        return name, gap, truth, reported

    results = list(pool.map(run, jobs))
    print("\nUnison check (%s; two plucks in turn, the first at -3 or +4 c; --unison)" % programs_text(args))
    print("| note | gap | checks | within ±1 c | median abs error | largest abs error |")
    print("|---|---|---|---|---|---|")
    for name, _, _ in pairs:
        for gap in gaps:
            mine = [r for r in results if r[0] == name and r[1] == gap]
            errors = [abs(r[3] - r[2]) if r[3] is not None else math.inf for r in mine]
            print(f"| {name} | {gap} c | {len(mine)} | {sum(e <= 1.0 for e in errors)} | "
                  f"{np.median(errors):.2f} c | {max(errors):.2f} c |")
    errors = [abs(r[3] - r[2]) if r[3] is not None else math.inf for r in results]
    print(f"| all | | {len(errors)} | {sum(e <= 1.0 for e in errors)} "
          f"({100.0 * sum(e <= 1.0 for e in errors) / len(errors):.1f} %) | {np.median(errors):.2f} c | "
          f"{max(errors):.2f} c |")


def programs_text(args):
    return ", ".join(PLUCKED.get(p, str(p)) for p in args.programs)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--tuner", default="build/src/balalaika-tuner")
    parser.add_argument("--work", default=None, help="folder for the renderings (default: a temporary one)")
    parser.add_argument("--programs", default="24,46,105", help="General MIDI programs of the plucked parts")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--estimator", default="default", help="the estimate calibration reads: default or precise")
    parser.add_argument("parts", nargs="*", default=["calibration", "heard-a", "lock", "unison"])
    args = parser.parse_args()
    args.programs = [int(p) for p in args.programs.split(",")]
    parts = {"calibration": calibration, "heard-a": heard_a, "lock": lock, "unison": unison}
    for part in args.parts:
        if part not in parts:
            sys.exit(f"unknown part {part!r}: calibration, heard-a, lock or unison")
    with tempfile.TemporaryDirectory() as scratch:
        args.work = args.work or scratch
        os.makedirs(args.work, exist_ok=True)
        with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
            for part in args.parts:
                parts[part](args, pool)


if __name__ == "__main__":
    main()
