#!/usr/bin/env python3
"""Measures the running application: start-up, note-to-green-lamp latency, CPU and memory.

  scripts/measure-tuner.py BINARY startup [RUNS]        launch to the first tick (first lamp=yellow line)
  scripts/measure-tuner.py BINARY latency               onset of ten in-tune plucks to the green lamp
  scripts/measure-tuner.py BINARY load headless|window [SECONDS [RECORDING]]
                                                        CPU share and peak memory (VmHWM) of a looping run
                                                        (of RECORDING, e.g. resources/audio/demo.flac, when given)
  scripts/measure-tuner.py BINARY growth [SECONDS]      VmRSS every 10 s over a long looping run

BINARY is build/src/balalaika-tuner. Every run gets a fresh settings folder, no display and a
loopback probe address; input comes from recordings synthesised here (plucked strings with
harmonics at the capture rate, 14039 Hz), so the onsets are known exactly.
"""
import math
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time
import wave

RATE = 14039


def pluck(samples, hertz, start, duration, level=0.5, partials=12, decay=4.0, position=0.18):
    first = int(start * RATE)
    length = int(duration * RATE)
    amps = [abs(math.sin(k * math.pi * position)) / k for k in range(1, partials + 1) if k * hertz < RATE / 2]
    total = sum(amps)
    decays = [decay / (1.0 + 0.4 * k) for k in range(len(amps))]
    steps = [2 * math.pi * hertz * (k + 1) / RATE for k in range(len(amps))]
    for n in range(min(length, len(samples) - first)):
        t = n / RATE
        env = min(1.0, n / (0.003 * RATE))
        left = length - n
        if left < 0.010 * RATE:
            env *= left / (0.010 * RATE)
        v = 0.0
        for a, d, w in zip(amps, decays, steps):
            v += a * math.exp(-t / d) * math.sin(w * n)
        samples[first + n] += level * env * v / total


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(int(max(-32768, min(32767, round(s * 32768)))).to_bytes(2, "little", signed=True)
                               for s in samples))


def environment(config_home, window=False):
    env = dict(os.environ)
    env["XDG_CONFIG_HOME"] = config_home
    env["BALALAIKA_TUNER_PROBE_URL"] = "http://127.0.0.1:9/"
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    if window:
        env["QT_QPA_PLATFORM"] = "offscreen"
    return env


def screen_lines(text):
    for line in text.splitlines():
        head, _, rest = line.partition(" ")
        try:
            seconds = float(head)
        except ValueError:
            continue
        yield seconds, rest


def startup(binary, folder, runs):
    silence = os.path.join(folder, "silence.wav")
    write_wav(silence, [0.0] * int(3 * RATE))
    wall, stamped = [], []
    for _ in range(runs):
        with tempfile.TemporaryDirectory() as config:
            began = time.monotonic()
            p = subprocess.Popen([binary, "--headless", "--input", silence, "--quit-after", "2"], env=environment(config),
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            for line in p.stdout:
                if "lamp=yellow" in line:
                    wall.append(time.monotonic() - began)
                    stamped.append(float(line.split()[0]))
                    break
            p.stdout.read()
            p.wait()
    print(f"launch to first tick (wall, from spawn), {runs} runs: median {statistics.median(wall) * 1000:.0f} ms, "
          f"min {min(wall) * 1000:.0f}, max {max(wall) * 1000:.0f}")
    print(f"  of which window shown to first tick (headless stamp): median {statistics.median(stamped) * 1000:.0f} ms")


def latency(binary, folder):
    onsets = [1.0 + 3.0 * i for i in range(10)]
    samples = [0.0] * int((onsets[-1] + 3.0) * RATE)
    for onset in onsets:
        pluck(samples, 440.0, onset, 1.5)
    path = os.path.join(folder, "ten-plucks.wav")
    write_wav(path, samples)
    with tempfile.TemporaryDirectory() as config:
        out = subprocess.run([binary, "--headless", "--input", path, "--quit-after", str(onsets[-1] + 2.5)],
                             env=environment(config), capture_output=True, text=True, timeout=120).stdout
    lines = list(screen_lines(out))
    delays = []
    for onset, end in zip(onsets, onsets[1:] + [onsets[-1] + 3.0]):
        green = [s for s, rest in lines if onset - 0.2 <= s < end and "lamp=green" in rest]
        if green:
            delays.append(green[0] - onset)
    print(f"onset to green lamp, {len(delays)} of {len(onsets)} notes: median {statistics.median(delays) * 1000:.0f} ms, "
          f"min {min(delays) * 1000:.0f}, max {max(delays) * 1000:.0f} (headless stamps; ms each: "
          + " ".join(f"{d * 1000:.0f}" for d in delays) + ")")


def looping_input(folder):
    samples = [0.0] * int(6 * RATE)
    pluck(samples, 440.0, 0.5, 1.5)
    pluck(samples, 329.63, 2.5, 1.5)
    pluck(samples, 452.0, 4.2, 1.2)
    path = os.path.join(folder, "loop.wav")
    write_wav(path, samples)
    return path


def rss_kb(pid, field="VmRSS"):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def load(binary, folder, mode, seconds, recording=None):
    path = os.path.abspath(recording) if recording else looping_input(folder)
    args = [binary, "--input", path, "--loop", "--quit-after", str(seconds)]
    if mode == "headless":
        args.insert(1, "--headless")
    with tempfile.TemporaryDirectory() as config:
        began = time.monotonic()
        p = subprocess.Popen(args, env=environment(config, window=(mode == "window")), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        hwm = 0
        while p.poll() is None:
            hwm = max(hwm, rss_kb(p.pid, "VmHWM"))
            time.sleep(1.0)
        usage = resource.getrusage(resource.RUSAGE_CHILDREN)
        wall = time.monotonic() - began
    cpu = usage.ru_utime + usage.ru_stime
    print(f"{mode}, {seconds} s looping input: CPU {cpu:.1f} s user+system over {wall:.1f} s wall = "
          f"{100 * cpu / wall:.1f}% of one core; peak memory VmHWM {hwm / 1024:.1f} MiB "
          f"(ru_maxrss {usage.ru_maxrss / 1024:.1f} MiB)")


def growth(binary, folder, seconds):
    path = looping_input(folder)
    with tempfile.TemporaryDirectory() as config:
        p = subprocess.Popen([binary, "--headless", "--input", path, "--loop", "--quit-after", str(seconds)],
                             env=environment(config), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        samples = []
        began = time.monotonic()
        while p.poll() is None:
            time.sleep(10.0)
            kb = rss_kb(p.pid)
            if kb:
                samples.append((time.monotonic() - began, kb))
                print(f"{samples[-1][0]:6.0f} s  VmRSS {kb} kB", flush=True)
    if len(samples) >= 6:
        first = samples[:len(samples) // 6]
        last = samples[-(len(samples) // 6):]
        a = statistics.mean(kb for _, kb in first)
        b = statistics.mean(kb for _, kb in last)
        span = statistics.mean(t for t, _ in last) - statistics.mean(t for t, _ in first)
        print(f"VmRSS first sixth {a / 1024:.2f} MiB, last sixth {b / 1024:.2f} MiB: "
              f"{(b - a) / 1024:+.2f} MiB over {span / 60:.1f} min ({(b - a) / (span / 60):+.0f} kB/min)")


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    binary, what = os.path.abspath(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory() as folder:
        if what == "startup":
            startup(binary, folder, int(sys.argv[3]) if len(sys.argv) > 3 else 10)
        elif what == "latency":
            latency(binary, folder)
        elif what == "load" and len(sys.argv) > 3 and sys.argv[3] in ("headless", "window"):
            load(binary, folder, sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 60,
                 sys.argv[5] if len(sys.argv) > 5 else None)
        elif what == "growth":
            growth(binary, folder, int(sys.argv[3]) if len(sys.argv) > 3 else 600)
        else:
            print(__doc__, file=sys.stderr)
            return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
