#!/usr/bin/python3
"""Compares the offline analysis of the desktop program with that of the WebAssembly core under
node, tick by tick, over the renderings that scripts/precise-corpus.py leaves in its --work
folder (sampled plucked strings, clean and in noise, 16-bit WAV at 44.1 kHz), each analysed in the
tuning of its note with both estimates. Prints the share of identical ticks and sorts every
difference by kind.
Usage: scripts/web-corpus-compare.py WORK [--tuner build/src/balalaika-tuner]
       [--node-analysis build-web/src/platform/web/balalaika-analyze.js]"""
import argparse
import collections
import csv
import glob
import importlib.util
import io
import math
import os
import subprocess

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def corpus_notes():
    spec = importlib.util.spec_from_file_location("corpus", os.path.join(TOP, "scripts/precise-corpus.py"))
    corpus = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(corpus)
    return {note[0]: note[2] for note in corpus.NOTES}  # note name -> its tuning


def rows(command):
    return list(csv.DictReader(io.StringIO(subprocess.run(command, check=True, capture_output=True, text=True).stdout)))


def kind(desktop, node):
    """How two rows of the same tick differ."""
    if desktop == node:
        return "identical"
    fd, fn = float(desktop["frequency"]), float(node["frequency"])
    if fd == fn:
        return "same frequency, power in the last digit" if desktop["state"] == node["state"] else "same frequency, other power state"
    if fd > 0 and fn > 0 and abs(math.log2(fd / fn)) > 0.9:
        return "frequency an octave or more apart"
    if abs(fd - fn) < 0.05:
        return "frequency within 0.05 Hz"
    return "frequency further apart"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("work")
    parser.add_argument("--tuner", default=os.path.join(TOP, "build/src/balalaika-tuner"))
    parser.add_argument("--node-analysis", default=os.path.join(TOP, "build-web/src/platform/web/balalaika-analyze.js"))
    args = parser.parse_args()
    tunings = corpus_notes()
    counts = {estimator: collections.Counter() for estimator in ("default", "precise")}
    files = 0
    for path in sorted(glob.glob(os.path.join(args.work, "p*_*_*.wav"))):
        parts = os.path.basename(path)[:-4].split("_")
        if len(parts) != 3 or parts[1] not in tunings or parts[2] in ("pinknoise", "whitenoise"):
            continue
        files += 1
        for estimator in counts:
            common = ["--analyze", path, "--tuning", str(tunings[parts[1]]), "--estimator", estimator]
            desktop = rows([args.tuner] + common)
            node = rows(["node", "--no-experimental-fetch", args.node_analysis] + common)
            if len(desktop) != len(node):
                counts[estimator]["different tick count"] += 1
                continue
            for d, n in zip(desktop, node):
                counts[estimator][kind(d, n)] += 1
    print(f"{files} renderings")
    for estimator, counter in counts.items():
        total = sum(counter.values())
        print(f"{estimator} estimate: {counter['identical']} of {total} ticks identical "
              f"({100 * counter['identical'] / max(total, 1):.2f} %)")
        for what, n in counter.most_common():
            if what != "identical":
                print(f"  {what}: {n}")


if __name__ == "__main__":
    main()
