#!/usr/bin/python3
"""Draws the manual's pictures from the plug-in itself.

Every picture is measured through the built plug-in: kestravon-render loads
Kestravon.so through its entry point, as a host does, renders test signals
through it with the settings shown, and pictures its editor. Nothing here
knows what the plug-in does to the sound; it only looks at what comes out.

The output is meant to be byte-for-byte reproducible (the same sound gives
the same files): fixed test signals and seeds, the Agg backend, one bundled
font, and no date or version written into the files.

Usage (needs an X display for the editor pictures; use xvfb-run -a):
  make-manual-pictures.py --render PATH [--plugin PATH] --source DIR --out DIR
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from matplotlib.patches import Rectangle  # noqa: E402

RATE = 44100
# Fixed so that two runs give identical files: no creation software or date,
# a fixed id salt for SVG, one font that ships with matplotlib.
PNG_META = {"Software": None}
plt.rcParams.update({
    "svg.hashsalt": "kestravon-manual",
    "font.family": "DejaVu Sans",
    "font.size": 9,
    "figure.dpi": 100,
    "savefig.dpi": 100,
    "axes.grid": True,
    "grid.alpha": 0.3,
    "path.simplify": False,
})


# ---------------------------------------------------------------- WAV files
def write_wav(path, data):
    """Writes float32 stereo (frames x 2) as an IEEE-float WAV."""
    data = np.ascontiguousarray(data, dtype="<f4")
    channels = data.shape[1]
    payload = data.tobytes()
    fmt = (b"fmt " + (16).to_bytes(4, "little") + (3).to_bytes(2, "little") +
           channels.to_bytes(2, "little") + RATE.to_bytes(4, "little") +
           (RATE * 4 * channels).to_bytes(4, "little") + (4 * channels).to_bytes(2, "little") +
           (32).to_bytes(2, "little"))
    body = b"WAVE" + fmt + b"data" + len(payload).to_bytes(4, "little") + payload
    with open(path, "wb") as f:
        f.write(b"RIFF" + len(body).to_bytes(4, "little") + body)


def read_wav(path):
    """Reads the float32 WAV that kestravon-render writes for a float input."""
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        raise RuntimeError(f"{path}: not a WAV file")
    pos, channels, fmt_tag, bits, data = 12, 0, 0, 0, None
    while pos + 8 <= len(raw):
        tag, size = raw[pos:pos + 4], int.from_bytes(raw[pos + 4:pos + 8], "little")
        chunk = raw[pos + 8:pos + 8 + size]
        if tag == b"fmt ":
            fmt_tag = int.from_bytes(chunk[0:2], "little")
            channels = int.from_bytes(chunk[2:4], "little")
            bits = int.from_bytes(chunk[14:16], "little")
            if fmt_tag == 0xFFFE:  # extensible: the sub-format's first two bytes
                fmt_tag = int.from_bytes(chunk[24:26], "little")
        elif tag == b"data":
            data = chunk
        pos += 8 + size + (size & 1)
    if fmt_tag != 3 or bits != 32 or data is None:
        raise RuntimeError(f"{path}: expected 32-bit float samples")
    return np.frombuffer(data, dtype="<f4").reshape(-1, channels).astype(np.float64)


# ------------------------------------------------------------ the plug-in
class Plugin:
    def __init__(self, render, plugin, work):
        self.render = render
        self.plugin = plugin
        self.work = work
        self.count = 0

    def run(self, args):
        command = [self.render, "--quiet"] + (["--plugin", self.plugin] if self.plugin else []) + args
        result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} failed:\n{result.stderr}")
        return result.stdout

    def process(self, signal, settings, program=None):
        """Renders signal (frames x 2) through the plug-in with the settings
        given as (name, value) pairs, and returns the output."""
        self.count += 1
        source = os.path.join(self.work, f"in{self.count}.wav")
        target = os.path.join(self.work, f"out{self.count}.wav")
        write_wav(source, signal)
        args = ["--input", source, "--output", target]
        if program is not None:
            args += ["--program", program]
        for name, value in settings:
            args += ["--set", f"{name}={value}"]
        self.run(args)
        out = read_wav(target)
        os.remove(source)
        os.remove(target)
        return out

    def editor(self, path, settings=(), program=None, scale=None):
        args = ["--editor-png", path]
        if scale is not None:
            args += ["--scale", str(scale)]
        if program is not None:
            args += ["--program", program]
        for name, value in settings:
            args += ["--set", f"{name}={value}"]
        self.run(args)

    def listing(self):
        """Parameter and program names as the plug-in reports them."""
        text = self.run(["--list"])
        params, programs, section = [], [], None
        self.defaults = []
        for line in text.splitlines():
            if line.startswith("parameters:"):
                section = params
            elif line.startswith("programs:"):
                section = programs
            elif section is params and line[:4].strip().isdigit():
                params.append(line[6:30].strip())
                self.defaults.append(float(line.split()[-1]) * 100)
            elif section is programs and line[:4].strip().isdigit():
                programs.append(line[6:].strip())
        return params, programs


def save(fig, path):
    fig.savefig(path, metadata=PNG_META)
    plt.close(fig)


def db(x, floor=1e-12):
    return 20 * np.log10(np.maximum(np.abs(x), floor))


def stereo(mono):
    return np.stack([mono, mono], axis=1)


# ------------------------------------------------------- the measurements
def profile_responses(p, out):
    """Frequency response of each profile from a small impulse: at a low level
    the saturator is as good as linear, and with no wow, scratch or noise the
    tape's read point stands still."""
    n, at, amp = 65536, 16384, 0.01
    impulse = np.zeros(n)
    impulse[at] = amp
    base = [("Noise amp", 0), ("Wow", 0), ("Scratch", 0), ("Harmonics", 0), ("Tube drive", 0)]
    variants = [("Age 0, boosts 0", [("Age", 0)]),
                ("Age 50", [("Age", 50)]),
                ("Age 100", [("Age", 100)]),
                ("LF boost 100, HF boost 100", [("LF boost", 100), ("HF boost", 100)])]
    window = 32768
    freqs = np.fft.rfftfreq(window, 1 / RATE)
    keep = (freqs >= 10) & (freqs <= 20000)
    off = p.process(stereo(impulse), base + [("Profile", 3)])
    off_db = db(np.fft.rfft(off[at:at + window, 0]) / amp)
    fig, axes = plt.subplots(1, 3, figsize=(11, 3.8), sharey=True)
    for profile, ax in enumerate(axes):
        for label, extra in variants:
            y = p.process(stereo(impulse), base + [("Profile", profile)] + extra)
            response = db(np.fft.rfft(y[at:at + window, 0]) / amp)
            ax.semilogx(freqs[keep], response[keep], label=label, linewidth=1.2)
        ax.semilogx(freqs[keep], off_db[keep], color="grey", linestyle=":", label="Profile Off")
        ax.set_title(f"Profile {'ABC'[profile]}")
        ax.set_xlabel("frequency (Hz)")
        ax.set_xlim(10, 20000)
        ax.set_ylim(-30, 12)
    axes[0].set_ylabel("level (dB)")
    axes[2].legend(loc="lower center", fontsize=8)
    fig.suptitle("Tone of the profiles (measured with a small impulse, left channel)")
    fig.tight_layout()
    save(fig, os.path.join(out, "profiles-response.png"))


def welch(x, size=4096):
    window = np.hanning(size)
    hop = size // 2
    frames = [x[i:i + size] * window for i in range(0, len(x) - size, hop)]
    power = np.mean([np.abs(np.fft.rfft(f)) ** 2 for f in frames], axis=0)
    power /= np.sum(window ** 2) * RATE / 2  # one-sided density
    return np.fft.rfftfreq(size, 1 / RATE), power


NOISE_TYPES = ["Noise 1", "Noise 2", "Vinyl 1", "Vinyl 2", "Brown"]
NOISE_CAPTIONS = ["TAPE 1", "TAPE 2", "VINYL 1", "VINYL 2", "BROWN"]


def noise_pictures(p, out):
    """The noise alone: silence in, "Noise amp" at 100 %, with profile A."""
    silence = np.zeros((RATE * 6, 2))
    skip = RATE  # the gain smoothers settle in the first second
    fig, (left, right) = plt.subplots(1, 2, figsize=(11, 3.8))
    waves = []
    for index, caption in enumerate(NOISE_CAPTIONS):
        y = p.process(silence, [("Noise amp", 100), ("Noise type", index)])[skip:, 0]
        f, power = welch(y)
        left.semilogx(f[1:], 10 * np.log10(power[1:] + 1e-30), label=f"{caption} ({index})",
                      linewidth=1)
        waves.append(y)
    left.set_title('Spectrum of each "Noise type" ("Noise amp" 100 %, "Speed" 100 %)')
    left.set_xlabel("frequency (Hz)")
    left.set_ylabel("density (dB per Hz)")
    left.set_xlim(20, 20000)
    left.set_ylim(-140, -50)
    left.legend(fontsize=8)
    for speed in (100, 50, 0):
        y = p.process(silence, [("Noise amp", 100), ("Noise type", 0), ("Speed", speed)])[skip:, 0]
        f, power = welch(y)
        right.semilogx(f[1:], 10 * np.log10(power[1:] + 1e-30), label=f'"Speed" {speed} %',
                       linewidth=1)
    right.set_title('TAPE 1 noise at three "Speed" settings')
    right.set_xlabel("frequency (Hz)")
    right.set_xlim(20, 20000)
    right.set_ylim(-140, -50)
    right.legend(fontsize=8)
    fig.tight_layout()
    save(fig, os.path.join(out, "noise-spectra.png"))

    fig, axes = plt.subplots(len(waves), 1, figsize=(11, 6), sharex=True)
    t = np.arange(2 * RATE) / RATE
    for ax, caption, y in zip(axes, NOISE_CAPTIONS, waves):
        part = y[:2 * RATE]
        peak = float(np.max(np.abs(part))) or 1.0
        ax.plot(t, part, linewidth=0.4, color="#7a3b10")
        ax.set_ylabel(f"{caption}\npeak {db(peak):.0f} dBFS", rotation=0, ha="right", va="center")
        ax.set_ylim(-1.1 * peak, 1.1 * peak)
        ax.set_yticks([])
    axes[-1].set_xlabel("time (s)")
    axes[0].set_title('Two seconds of each noise type ("Noise amp" 100 %, left channel; '
                      'each row scaled to its own peak)')
    fig.tight_layout()
    save(fig, os.path.join(out, "noise-waveforms.png"))


def harmonic_levels(y, fundamental, count=8):
    spectrum = np.abs(np.fft.rfft(y[:RATE] * np.hanning(RATE)))
    bins = [k * fundamental for k in range(1, count + 1)]  # 1 Hz per bin
    levels = np.array([spectrum[b - 2:b + 3].max() for b in bins])
    return db(levels / levels[0])


def harmonics_pictures(p, out):
    """A steady 1 kHz sine at -6 dBFS, with the profile Off so that only the
    harmonics and tube stages shape it."""
    fundamental = 1000
    t = np.arange(3 * RATE) / RATE
    sine = 0.5 * np.sin(2 * np.pi * fundamental * t)
    base = [("Profile", 3)]
    groups = [("Harmonics", (0, 50, 100)), ("Tube drive", (0, 50, 100))]
    fig, axes = plt.subplots(1, 2, figsize=(11, 3.8), sharey=True)
    order = np.arange(1, 9)
    for ax, (name, values) in zip(axes, groups):
        width = 0.8 / len(values)
        for i, v in enumerate(values):
            other = "Tube drive" if name == "Harmonics" else "Harmonics"
            y = p.process(stereo(sine), base + [(name, v), (other, 0)])[RATE:, 0]
            levels = np.maximum(harmonic_levels(y, fundamental), -140)
            ax.bar(order[1:] + (i - 1) * width, levels[1:] + 140, bottom=-140, width=width,
                   label=f'"{name}" {v} %')
        ax.set_xticks(order[1:])
        ax.set_xticklabels([f"{k}\n{k} kHz" for k in order[1:]])
        ax.set_xlabel("harmonic")
        ax.set_title(f'Harmonics added by "{name}" (1 kHz sine at -6 dBFS)')
        ax.set_ylim(-140, 0)
        ax.legend(fontsize=8, loc="upper right")
    axes[0].set_ylabel("level below the fundamental (dB)")
    fig.tight_layout()
    save(fig, os.path.join(out, "harmonics.png"))


def pitch_deviation(y, nominal, hop=441):
    spectrum = np.fft.fft(y)
    spectrum[len(y) // 2 + 1:] = 0
    spectrum[1:len(y) // 2] *= 2
    phase = np.unwrap(np.angle(np.fft.ifft(spectrum)))
    n = (len(phase) - 1) // hop
    freq = (phase[hop:n * hop + 1:hop] - phase[0:(n - 1) * hop + 1:hop]) * RATE / (2 * np.pi * hop)
    return np.arange(n) * hop / RATE, 1200 * np.log2(freq / nominal)


def transport_pictures(p, out):
    """A steady 1 kHz sine; the pitch that comes out shows how far the tape's
    speed moves."""
    seconds = 12
    t = np.arange(seconds * RATE) / RATE
    sine = 0.5 * np.sin(2 * np.pi * 1000 * t)
    cases = [("Wow", [("Wow", 50)], '"Wow" 50 %'), ("Wow", [("Wow", 100)], '"Wow" 100 %'),
             ("Scratch", [("Scratch", 50)], '"Scratch" 50 %'),
             ("Scratch", [("Scratch", 100)], '"Scratch" 100 %')]
    fig, axes = plt.subplots(2, 1, figsize=(11, 5.5), sharex=True)
    for name, settings, label in cases:
        ax = axes[0] if name == "Wow" else axes[1]
        y = p.process(stereo(sine), [("Profile", 3)] + settings)[:, 0]
        times, cents = pitch_deviation(y, 1000)
        # Leave out the edges, where the analysis itself wraps around.
        keep = (times > 0.5) & (times < seconds - 0.5)
        ax.plot(times[keep], cents[keep], linewidth=0.9, label=label)
    axes[0].set_title('Pitch of a steady 1 kHz tone with "Wow" (the other knobs at 0)')
    axes[1].set_title('Pitch of a steady 1 kHz tone with "Scratch" (the other knobs at 0)')
    for ax in axes:
        ax.set_ylabel("pitch deviation (cents)")
        ax.legend(fontsize=8, loc="upper right")
    axes[1].set_xlabel("time (s)")
    fig.tight_layout()
    save(fig, os.path.join(out, "wow-scratch-pitch.png"))


def stereo_pictures(p, out, work):
    """A mono mix of the built-in demo clip (left = right) and what the stereo
    controls make of it, as a goniometer: mid upwards, side across."""
    clip = os.path.join(work, "demo.wav")
    p.run(["--demo-clip", clip, "--seconds", "6", "--sample-rate", str(RATE)])
    demo = read_wav(clip)
    mono = demo.mean(axis=1).astype(np.float32).astype(np.float64)
    signal = stereo(mono)
    cases = [("input (mono)", None),
             ('"Wow" 60 %, "Wide" 0 %', [("Wow", 60), ("Wide", 0)]),
             ('"Wow" 60 %, "Wide" 100 %', [("Wow", 60), ("Wide", 100)]),
             ('"Quad mix" 50 %', [("Quad mix", 50)]),
             ('"Quad mix" 100 %', [("Quad mix", 100)])]
    fig, axes = plt.subplots(1, len(cases), figsize=(12, 3.2))
    for ax, (label, settings) in zip(axes, cases):
        y = signal if settings is None else p.process(signal, [("Profile", 3)] + settings)
        y = y[RATE:]
        left, right = y[:, 0], y[:, 1]
        side, mid = (left - right) / np.sqrt(2), (left + right) / np.sqrt(2)
        scale = np.max(np.abs(np.concatenate([side, mid]))) or 1
        ax.plot(side[::3] / scale, mid[::3] / scale, ",", color="#c06010", alpha=0.5)
        corr = np.corrcoef(left, right)[0, 1]
        ax.set_title(f"{label}\ncorrelation {corr:.2f}", fontsize=8)
        ax.set_xlim(-1, 1)
        ax.set_ylim(-1, 1)
        ax.set_aspect("equal")
        ax.set_xticks([])
        ax.set_yticks([])
        ax.set_xlabel("side (L-R)")
    axes[0].set_ylabel("mid (L+R)")
    fig.tight_layout()
    save(fig, os.path.join(out, "stereo-image.png"))


# ------------------------------------------------------- editor pictures
def changed_box(a, b):
    diff = np.any(a != b, axis=2)
    ys, xs = np.nonzero(diff)
    if len(xs) == 0:
        return None
    return int(xs.min()), int(ys.min()), int(xs.max()) + 1, int(ys.max()) + 1


def code_rects(source):
    """The controls that no parameter shows: the command buttons, the link and
    the readout, read from the editor's layout code (their image sizes from
    the image list)."""
    code = open(os.path.join(source, "product", "TovraneEditor.cpp")).read()
    images = open(os.path.join(source, "resources", "EditorImages.h")).read()
    rects = {}
    for name, key in (("undo", "kUndo"), ("redo", "kRedo"), ("copy", "kCopy")):
        m = re.search(r"MyIContactControl\(this,\s*(\d+),\s*(\d+),\s*" + key + r",\s*(\w+)\)", code)
        if not m:
            raise RuntimeError(f"the layout code no longer places the {name} button as expected")
        rects[name] = (int(m.group(1)), int(m.group(2)), m.group(3))
    m = re.search(r"IURLControl\(&plug,\s*Rect\((\d+),\s*(\d+),\s*(\d+),\s*(\d+)\)", code)
    m2 = re.search(r"ITextControl\(&plug,\s*Rect\((\d+),\s*(\d+),\s*(\d+),\s*(\d+)\)", code)
    if not m or not m2:
        raise RuntimeError("the layout code no longer places the link or the readout as expected")
    return rects, tuple(int(g) for g in m.groups()), tuple(int(g) for g in m2.groups()), images


def editor_pictures(p, out, work, source, params, programs):
    """The editor with every control boxed and numbered, found by what changes
    on screen when each parameter moves; and one picture per program."""
    import matplotlib.image as mpimg

    cache = {}

    def shot(settings=(), program=None):
        key = (tuple(settings), program)
        if key not in cache:
            path = os.path.join(work, f"shot{len(cache)}.png")
            p.editor(path, settings, program)
            cache[key] = mpimg.imread(path)
        return cache[key]

    base = shot()
    controls = []  # (label, box), numbered in the picture
    parts = []  # the radio buttons inside a numbered group, boxed only

    def measure(label, settings):
        box = changed_box(base, shot(settings))
        if box is None:
            raise RuntimeError(f"moving {label} changes nothing on screen")
        controls.append((label, box))

    listed = dict(zip(params, p.defaults))
    knobs = [n for n in params if n and n not in ("Profile", "Noise type", "Power", "AB")]
    for name in knobs:
        measure(f'"{name}"', [(name, 0 if listed[name] > 50 else 100)])

    def buttons(name, captions):
        # Each value lights its button; what changes against every other
        # value, in the column that all the buttons share, is its own. The
        # buttons overlap, so each is marked by the centre of that change,
        # with the spacing of the buttons as its size.
        count = len(captions)
        lit = [shot([(name, v)]) for v in range(count)]
        masks = []
        for v in range(count):
            common = None
            for other in range(count):
                if other != v:
                    diff = np.any(lit[other] != lit[v], axis=2)
                    common = diff if common is None else common & diff
            masks.append(common)
        xs = np.nonzero(masks[0].any(axis=0))[0]
        column = slice(int(xs.min()), int(xs.max()) + 1)
        centres = []
        for mask in masks:
            ys, cx = np.nonzero(mask[:, column])
            centres.append((column.start + cx.mean(), ys.mean()))
        half = (centres[1][1] - centres[0][1]) / 2
        boxes = [(int(round(cx - half)), int(round(cy - half)), int(round(cx + half)),
                  int(round(cy + half))) for cx, cy in centres]
        group = (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes),
                 max(b[3] for b in boxes))
        controls.append((f'"{name}"', group))
        parts.extend((f'"{name}" {caption} ({v})', box) for v, (caption, box) in
                     enumerate(zip(captions, boxes)))

    buttons("Noise type", NOISE_CAPTIONS)
    buttons("Profile", ["A", "B", "C", "OFF"])
    measure('"Power"', [("Power", 1)])
    measure('"AB" (the A/B switch)', [("AB", 1)])

    rects, link, readout, images = code_rects(source)
    code = open(os.path.join(source, "product", "TovraneEditor.cpp")).read()
    for name in ("undo", "redo", "copy"):
        x, y, strip = rects[name]
        # strip variable -> image constant -> image id -> strip size and frames
        m1 = re.search(r"BitmapStrip\s+" + strip + r"\s*=\s*LoadImage\(graphics,\s*(\w+)\)", code)
        m2 = m1 and re.search(r"constexpr int " + m1.group(1) + r"\s*=\s*(\d+);", images)
        m3 = m2 and re.search(r"\{" + m2.group(1) + r',\s*"[^"]*",\s*(\d+),\s*(\d+),\s*(\d+)\}',
                              images)
        if not m3:
            raise RuntimeError(f"cannot follow the {name} button's image to its size")
        w, h, frames = (int(g) for g in m3.groups())
        controls.append((name, (x, y, x + w, y + h // frames)))
    controls.append(("link", link))
    controls.append(("readout", readout))

    # Number them in reading order: the top bar, the upper row of sections,
    # the lower row, then the bottom strip; left to right within each.
    def key(item):
        x0, y0, x1, y1 = item[1]
        cy = (y0 + y1) / 2
        return (0 if cy < 45 else 1 if cy < 200 else 2 if cy < 375 else 3, (x0 + x1) / 2)

    controls.sort(key=key)
    height, width = base.shape[:2]
    fig = plt.figure(figsize=(width / 100, height / 100))
    ax = fig.add_axes([0, 0, 1, 1])
    ax.imshow(base, interpolation="nearest")
    ax.set_axis_off()
    legend = []
    for label, (x0, y0, x1, y1) in parts:
        ax.add_patch(Rectangle((x0 - 0.5, y0 - 0.5), x1 - x0, y1 - y0, fill=False,
                               edgecolor="#40e0ff", linewidth=0.6, linestyle=":"))
    for number, (label, (x0, y0, x1, y1)) in enumerate(controls, start=1):
        ax.add_patch(Rectangle((x0 - 0.5, y0 - 0.5), x1 - x0, y1 - y0, fill=False,
                               edgecolor="#40e0ff", linewidth=1.2))
        ax.text(x0 + 1, y0 + 1, str(number), color="black", fontsize=8, fontweight="bold",
                ha="left", va="top",
                bbox=dict(boxstyle="round,pad=0.15", facecolor="#40e0ff", edgecolor="none"))
        legend.append({"number": number, "control": label, "box": [x0, y0, x1, y1]})
    save(fig, os.path.join(out, "editor-controls.png"))
    with open(os.path.join(out, "editor-controls.json"), "w") as f:
        json.dump(legend, f, indent=1)

    # One smaller picture per program.
    for index, name in enumerate(programs):
        image = shot(program=str(index))
        fig = plt.figure(figsize=(7.5, 7.5 * height / width))
        ax = fig.add_axes([0, 0, 1, 1])
        ax.imshow(image, interpolation="antialiased")
        ax.set_axis_off()
        save(fig, os.path.join(out, f"program-{index:02d}.png"))

    # The input and saturation sections at 200 %, pixel for pixel.
    zoomed_path = os.path.join(work, "zoom200.png")
    p.editor(zoomed_path, scale=2)
    zoomed = mpimg.imread(zoomed_path)
    plt.imsave(os.path.join(out, "editor-zoom-200.png"), zoomed[96:636, 0:1090],
               metadata=PNG_META)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--render", required=True)
    parser.add_argument("--plugin")
    parser.add_argument("--source", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--only", help="comma-separated groups: editor,profiles,noise,harmonics,"
                                       "transport,stereo")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    groups = set((args.only or "editor,profiles,noise,harmonics,transport,stereo").split(","))
    work = tempfile.mkdtemp(prefix="kestravon-manual-")
    try:
        p = Plugin(args.render, args.plugin, work)
        params, programs = p.listing()
        with open(os.path.join(args.out, "plugin-names.json"), "w") as f:
            json.dump({"parameters": params, "programs": programs}, f, indent=1)
        if "profiles" in groups:
            profile_responses(p, args.out)
        if "noise" in groups:
            noise_pictures(p, args.out)
        if "harmonics" in groups:
            harmonics_pictures(p, args.out)
        if "transport" in groups:
            transport_pictures(p, args.out)
        if "stereo" in groups:
            stereo_pictures(p, args.out, work)
        if "editor" in groups:
            editor_pictures(p, args.out, work, args.source, params, programs)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
