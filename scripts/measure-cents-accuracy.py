#!/usr/bin/env python3
"""Accuracy of the cents meter on plucked strings rendered by a sampled-instrument synthesiser.

  scripts/measure-cents-accuracy.py BINARY [--keep FOLDER] [--program N]

BINARY is build/src/balalaika-tuner. For each of the eleven target notes of the five tunings and
each detuning in DETUNES, a MIDI file with one pluck (pitch wheel set to the detuning before the
note starts) is rendered by fluidsynth with the FluidR3 General MIDI soundfont (Debian packages
fluidsynth and fluid-soundfont-gm, see scripts/setup.sh), then `BINARY --analyze FILE --tuning T`
reads it, and the cents column of every loud tick is compared with the detuning. The audio goes to
a temporary folder (or FOLDER with --keep) and is never committed.

Prints per note: loud ticks, median and 90th percentile of |error|, and the share of loud ticks
with the right sign where |detuning| >= 6 c; then the totals against the targets: median |error|
<= 3 c for A4..A2, <= 5 c for E2..E1, sign right on >= 97 % of loud ticks. A "far" reading counts
as +-50 c.
"""
import os
import statistics
import struct
import subprocess
import sys
import tempfile

SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
# Note, MIDI key, tuning whose windows hold it.
NOTES = [("A4", 69, 1), ("E4", 64, 1), ("D4", 62, 2), ("A3", 57, 2), ("E3", 52, 3), ("D3", 50, 4),
         ("A2", 45, 4), ("E2", 40, 4), ("D2", 38, 5), ("A1", 33, 5), ("E1", 28, 5)]
DETUNES = [-45, -25, -12, -6, 0, 6, 12, 25, 45]
BEND_RANGE_CENTS = 200.0  # the General MIDI default pitch-wheel range, two semitones each way
PROGRAM = 24  # Acoustic Guitar (nylon)
TARGETS = {"A4": 3, "E4": 3, "D4": 3, "A3": 3, "E3": 3, "D3": 3, "A2": 3, "E2": 5, "D2": 5, "A1": 5, "E1": 5}


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def pluck_midi(key, cents, program, seconds=3.0):
    """One track, 480 ticks per quarter at 120 bpm (1 ms per tick): program, bend, note."""
    bend = max(0, min(16383, round(8192 + cents / BEND_RANGE_CENTS * 8192)))
    events = [
        (0, bytes([0xC0, program])),
        (0, bytes([0xE0, bend & 0x7F, bend >> 7])),
        (100, bytes([0x90, key, 110])),
        (int(seconds * 1000), bytes([0x80, key, 0])),
        (400, bytes([0xFF, 0x2F, 0x00])),
    ]
    track = b"".join(varlen(delta) + data for delta, data in events)
    tempo = bytes([0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20])  # 500000 us per quarter
    track = tempo + track
    return (b"MThd" + struct.pack(">IHHH", 6, 0, 1, 500) + b"MTrk" + struct.pack(">I", len(track)) + track)


def render(folder, name, key, cents, program):
    mid = os.path.join(folder, name + ".mid")
    wav = os.path.join(folder, name + ".wav")
    with open(mid, "wb") as f:
        f.write(pluck_midi(key, cents, program))
    subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.6", "-r", "44100", "-F", wav, SOUNDFONT, mid],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return wav


def loud_cents(binary, wav, tuning):
    csv = subprocess.run([binary, "--analyze", wav, "--tuning", str(tuning)], check=True, capture_output=True,
                         text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout.splitlines()
    header = csv[0].split(",")
    state, cents = header.index("state"), header.index("cents")
    readings = []
    for line in csv[1:]:
        fields = line.split(",")
        if fields[state] != "loud":
            continue
        value = fields[cents]
        readings.append(-50.0 if value == "far-flat" else 50.0 if value == "far-sharp" else float(value))
    return readings


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    binary = args[0]
    keep = args[args.index("--keep") + 1] if "--keep" in args else None
    program = int(args[args.index("--program") + 1]) if "--program" in args else PROGRAM
    folder = keep or tempfile.mkdtemp(prefix="cents-accuracy-")
    os.makedirs(folder, exist_ok=True)

    print(f"cents accuracy: fluidsynth, FluidR3_GM program {program}, detunings {DETUNES} c, "
          f"one 3 s pluck each, ticks every 0.1 s")
    print(f"{'note':<5}{'ticks':>6}{'median|err|':>13}{'p90|err|':>10}{'sign ok':>10}{'at 0 c':>9}"
          f"{'E4-25c':>9}  target")
    groups = {"A4..A2": ([], []), "E2..E1": ([], [])}
    all_signs = []
    e4_flat = None
    for note, key, tuning in NOTES:
        errors, signs, zero = [], [], []
        for cents in DETUNES:
            wav = render(folder, f"{note}{cents:+d}", key, cents, program)
            readings = loud_cents(binary, wav, tuning)
            errors += [r - cents for r in readings]
            if cents == 0:
                zero += readings
            if abs(cents) >= 6:
                signs += [(r > 0) == (cents > 0) and r != 0 for r in readings]
            if note == "E4" and cents == -25:
                e4_flat = statistics.median(readings) if readings else None
            if not keep:
                os.remove(wav)
                os.remove(wav[:-4] + ".mid")
        abs_errors = [abs(e) for e in errors]
        group = "A4..A2" if TARGETS[note] == 3 else "E2..E1"
        groups[group][0].extend(abs_errors)
        groups[group][1].extend(signs)
        all_signs += signs
        median = statistics.median(abs_errors) if abs_errors else float("nan")
        sign_share = 100.0 * sum(signs) / len(signs) if signs else float("nan")
        zero_median = statistics.median(zero) if zero else float("nan")
        e4 = f"{e4_flat:+.1f}" if note == "E4" and e4_flat is not None else ""
        print(f"{note:<5}{len(errors):>6}{median:>13.2f}{percentile(abs_errors, 0.9) if abs_errors else 0:>10.2f}"
              f"{sign_share:>9.1f}%{zero_median:>+9.2f}{e4:>9}  <= {TARGETS[note]} c")
    for name, (abs_errors, signs) in groups.items():
        print(f"{name}: median |error| {statistics.median(abs_errors):.2f} c over {len(abs_errors)} loud ticks, "
              f"sign right {100.0 * sum(signs) / len(signs):.1f}%")
    print(f"all notes: sign right on {100.0 * sum(all_signs) / len(all_signs):.1f}% of {len(all_signs)} loud ticks "
          f"with |detuning| >= 6 c (target >= 97%)")
    if e4_flat is not None:
        print(f"E4 rendered 25 c flat reads {e4_flat:+.1f} c (median; target -25 +- 7)")
    if not keep:
        os.rmdir(folder)


if __name__ == "__main__":
    main()
