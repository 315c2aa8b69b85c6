"""Synthesises the game's sound effects (WAV) and its three tunes (MP3).

Every sample is computed here from notes and envelopes, so the sounds are the game's own
and carry no licence but the project's. The WAVs are 16-bit mono PCM written with the
standard library; the tunes are rendered the same way and encoded with Debian's `lame`
(package lame) with fixed options and no ID3 tag, so two runs give the same bytes.

    python3 tools/sounds.py            rewrite data/sound/
    python3 tools/sounds.py --check    rebuild into a temporary folder and compare with data/sound/
"""

import argparse
import filecmp
import math
import os
import shutil
import struct
import subprocess
import tempfile
import wave

EFFECT_RATE = 22050
MUSIC_RATE = 44100
# The tunes are scaled to the same peak; the effects to the same loudness, the RMS of the whole
# clip, since a short tick and a ringing chord of equal peaks do not sound equally loud.
PEAK = 0.70
LOUDNESS = 0.141  # -17 dBFS: the spikiest effect then peaks at -1.6 dBFS
LOUDNESS_SPREAD_DB = 1.5
# A tune rings out over its last FADE seconds and is followed by at most TAIL seconds of silence.
TUNE_FADE = 0.7
TUNE_TAIL = 0.1
LONGEST_SILENCE = 0.2
FULL_SCALE = 32767
LAME_OPTIONS = ["--quiet", "-m", "m", "--cbr", "-b", "96", "-q", "2",
                "--noreplaygain", "--resample", "44.1"]


# --- building blocks ---------------------------------------------------------------

def midi(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def silence(seconds, rate):
    return [0.0] * int(round(seconds * rate))


def mix(into, samples, at_seconds, rate, gain=1.0):
    start = int(round(at_seconds * rate))
    if start + len(samples) > len(into):
        into.extend([0.0] * (start + len(samples) - len(into)))
    for i, value in enumerate(samples):
        into[start + i] += gain * value


def envelope(i, count, rate, attack, decay):
    """A short linear attack, then an exponential decay; the last 5 ms fade to zero."""
    t = i / rate
    level = min(1.0, t / attack) if attack > 0 else 1.0
    level *= math.exp(-t / decay)
    tail = (count - i) / (0.005 * rate)
    return level * min(1.0, tail)


def voice(freq, seconds, rate, partials=((1, 1.0),), attack=0.004, decay=0.2, glide=1.0):
    """A note of summed partials; glide is the ratio the pitch reaches by the end."""
    count = int(round(seconds * rate))
    out = []
    phase = 0.0
    for i in range(count):
        progress = i / count
        current = freq * glide ** progress
        phase += 2.0 * math.pi * current / rate
        value = sum(weight * math.sin(number * phase) for number, weight in partials)
        out.append(value * envelope(i, count, rate, attack, decay))
    return out


def noise_burst(seconds, rate, decay, seed):
    """Decaying noise from a fixed linear congruential generator (the same on every run)."""
    count = int(round(seconds * rate))
    state = seed
    out = []
    previous = 0.0
    for i in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        white = state / 0x3FFFFFFF - 1.0
        previous = 0.6 * previous + 0.4 * white  # a gentle low-pass takes the hiss off
        out.append(previous * envelope(i, count, rate, 0.0005, decay))
    return out


def normalised(samples):
    top = max(abs(value) for value in samples)
    return [value * PEAK / top for value in samples]


def matched(samples):
    """Scaled to the effects' common loudness."""
    level = loudness(samples)
    return [value * LOUDNESS / level for value in samples]


def faded_out(samples, seconds, rate):
    """The last `seconds` fall to silence along a raised cosine, so the end is a decay."""
    count = min(len(samples), int(round(seconds * rate)))
    start = len(samples) - count
    out = list(samples)
    for i in range(count):
        out[start + i] *= 0.5 * (1.0 + math.cos(math.pi * (i + 1) / count))
    return out


BELL = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.06))
MALLET = ((1, 1.0), (3, 0.18), (5, 0.05))
REED = ((1, 1.0), (2, 0.5), (3, 0.33), (4, 0.22), (5, 0.12))
SOFT = ((1, 1.0), (2, 0.15))


# --- the eight effects --------------------------------------------------------------

def effect_shift(rate):
    # The most frequent sound: a very short soft tick that falls a little.
    return voice(1180, 0.07, rate, MALLET, attack=0.001, decay=0.018, glide=0.7)


def effect_drop(rate):
    # A padlock snapping shut: a low thud under a bright click.
    out = voice(190, 0.2, rate, SOFT, attack=0.002, decay=0.05, glide=0.75)
    mix(out, voice(2400, 0.03, rate, MALLET, attack=0.0005, decay=0.006), 0.0, rate, 0.5)
    mix(out, noise_burst(0.04, rate, 0.01, seed=7), 0.0, rate, 0.25)
    return out


def effect_ok(rate):
    # A word found: a rising major arpeggio on a bell.
    out = []
    for step, note in enumerate((72, 76, 79)):
        mix(out, voice(midi(note), 0.32, rate, BELL, decay=0.12), 0.06 * step, rate)
    return out


def effect_clue(rate):
    # A sparkle that sweeps upwards.
    out = []
    for step, note in enumerate((84, 88, 91, 96)):
        mix(out, voice(midi(note), 0.14, rate, SOFT, attack=0.002, decay=0.05), 0.035 * step,
            rate, 0.8)
    mix(out, voice(900, 0.25, rate, SOFT, attack=0.03, decay=0.1, glide=2.0), 0.0, rate, 0.4)
    return out


def effect_timer(rate):
    # A clock's tick and tock.
    out = voice(1650, 0.05, rate, MALLET, attack=0.0005, decay=0.012)
    mix(out, voice(1240, 0.05, rate, MALLET, attack=0.0005, decay=0.012), 0.25, rate)
    return out


def effect_timer_pop(rate):
    # A penalty: a cork-like pop that drops in pitch.
    out = voice(700, 0.14, rate, SOFT, attack=0.001, decay=0.04, glide=0.35)
    mix(out, noise_burst(0.03, rate, 0.006, seed=11), 0.0, rate, 0.6)
    return out


def effect_timer_start(rate):
    # The clock starts: two quick beeps, the second higher.
    out = voice(midi(81), 0.12, rate, SOFT, attack=0.003, decay=0.08)
    mix(out, voice(midi(88), 0.2, rate, SOFT, attack=0.003, decay=0.1), 0.15, rate)
    return out


def effect_wrong(rate):
    # A gentle "no": two falling reed notes a minor third apart.
    out = voice(midi(64), 0.16, rate, REED, attack=0.006, decay=0.15)
    mix(out, voice(midi(60), 0.26, rate, REED, attack=0.006, decay=0.12), 0.17, rate)
    return out


EFFECTS = (
    ("zqok.wav", effect_ok),
    ("zqdrop.wav", effect_drop),
    ("zqclue.wav", effect_clue),
    ("zqshift.wav", effect_shift),
    ("zqtimer.wav", effect_timer),
    ("zqtimerpop.wav", effect_timer_pop),
    ("zqtimerstart.wav", effect_timer_start),
    ("zqwrong.wav", effect_wrong),
)


# --- the three tunes ---------------------------------------------------------------

def render_tune(melody, chords, beat, rate):
    """melody: (beat, MIDI note, beats) on a bell; chords: (beat, notes, beats) on a soft pad.
    The notes that close the tune ring on and die away over TUNE_FADE seconds."""
    last = max(start + length for start, _, length in list(melody) + list(chords))

    def ring(start, length):
        return TUNE_FADE if start + length == last else 0.0

    out = []
    for start, note, length in melody:
        seconds = length * beat + 0.25 + ring(start, length)
        mix(out, voice(midi(note), seconds, rate, BELL, decay=0.35 * max(1.0, length)),
            start * beat, rate, 0.9)
    for start, notes, length in chords:
        for note in notes:
            seconds = length * beat + 0.3 + ring(start, length)
            mix(out, voice(midi(note), seconds, rate, SOFT, attack=0.05, decay=0.6 * length),
                start * beat, rate, 0.3)
    return faded_out(out, TUNE_FADE, rate) + silence(TUNE_TAIL, rate)


def tune_start(rate):
    # A bright call to begin: up the C major chord, then a cadence onto the top C.
    melody = [(0, 72, 0.5), (0.5, 76, 0.5), (1, 79, 0.5), (1.5, 84, 1), (2.5, 81, 0.5),
              (3, 83, 0.5), (3.5, 84, 1.5)]
    chords = [(0, (48, 55, 64), 1.5), (1.5, (53, 57, 65), 1), (2.5, (55, 59, 62), 1),
              (3.5, (48, 55, 64), 1.5)]
    return render_tune(melody, chords, 0.3, rate)


def tune_won(rate):
    # A win: a running fanfare that climbs twice and rings out on a full chord.
    melody = [(0, 67, 0.5), (0.5, 72, 0.5), (1, 76, 0.5), (1.5, 79, 1), (2.5, 76, 0.5),
              (3, 79, 1.5), (4.5, 74, 0.5), (5, 77, 0.5), (5.5, 81, 0.5), (6, 84, 2.5)]
    chords = [(0, (48, 52, 55), 1.5), (1.5, (53, 57, 60), 1.5), (3, (48, 52, 55), 1.5),
              (4.5, (50, 53, 57), 1.5), (6, (48, 55, 60, 64), 2.5)]
    return render_tune(melody, chords, 0.26, rate)


def tune_over(rate):
    # Giving up: a slow phrase falling in A minor, resigned but not harsh.
    melody = [(0, 76, 1), (1, 74, 1), (2, 72, 1), (3, 71, 1), (4, 69, 2.5)]
    chords = [(0, (45, 52, 60), 2), (2, (41, 48, 57), 2), (4, (45, 52, 57), 2.5)]
    return render_tune(melody, chords, 0.42, rate)


TUNES = (
    ("zqStart.mp3", tune_start),
    ("zqWon.mp3", tune_won),
    ("zqOver.mp3", tune_over),
)


# --- writing -----------------------------------------------------------------------

def pcm_bytes(samples):
    return b"".join(struct.pack("<h", int(round(value * FULL_SCALE))) for value in samples)


def write_wav(path, samples, rate):
    # The wave module writes a plain 44-byte RIFF header: nothing in it depends on the run.
    with wave.open(path, "wb") as handle:
        handle.setnchannels(1)
        handle.setsampwidth(2)
        handle.setframerate(rate)
        handle.writeframes(pcm_bytes(samples))


def lame_path():
    path = shutil.which("lame")
    if not path:
        raise SystemExit("lame not found: install the Debian package lame")
    return path


def write_mp3(path, samples, rate):
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, "tune.wav")
        write_wav(source, samples, rate)
        result = subprocess.run([lame_path()] + LAME_OPTIONS + [source, path],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise SystemExit(f"lame failed on {os.path.basename(path)}: {result.stderr.strip()}")


def read_wav(path):
    """(rate, samples scaled to -1..1) of a 16-bit mono WAV."""
    with wave.open(path, "rb") as handle:
        if handle.getsampwidth() != 2 or handle.getnchannels() != 1:
            raise ValueError(f"{path}: not 16-bit mono")
        rate = handle.getframerate()
        frames = handle.readframes(handle.getnframes())
    values = struct.unpack(f"<{len(frames) // 2}h", frames)
    return rate, [value / FULL_SCALE for value in values]


def decode_mp3(path):
    with tempfile.TemporaryDirectory() as scratch:
        target = os.path.join(scratch, "decoded.wav")
        subprocess.run([lame_path(), "--quiet", "--decode", path, target], check=True)
        return read_wav(target)


# --- measuring -----------------------------------------------------------------------

def loudness(samples):
    """The RMS of the whole clip."""
    return math.sqrt(sum(value * value for value in samples) / max(1, len(samples)))


def measure(rate, samples):
    """Length in seconds, peak, RMS over the sounding part, loudness and a zero-crossing
    pitch guess."""
    peak = max(abs(value) for value in samples)
    sounding = [value for value in samples if abs(value) > peak * 0.05] or [0.0]
    rms = math.sqrt(sum(value * value for value in sounding) / len(sounding))
    crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))
    return {
        "seconds": len(samples) / rate,
        "peak": peak,
        "rms": rms,
        "loudness": loudness(samples),
        "crossings_per_second": crossings / (len(samples) / rate),
    }


def alike(first, second):
    """Two sounds are alike when length and brightness are both within 10 per cent."""
    def close(a, b):
        return abs(a - b) <= 0.1 * max(a, b)
    return (close(first["seconds"], second["seconds"])
            and close(first["crossings_per_second"], second["crossings_per_second"]))


def decibels(value):
    return 20 * math.log10(value) if value > 0 else float("-inf")


def check_set(measures, longest, by_loudness=False):
    """Problems with a set of measured sounds: too long, unequal peaks (or, by_loudness,
    unequal loudness), clipped, two alike."""
    problems = []
    peaks = [m["peak"] for m in measures.values()]
    levels = [m["loudness"] for m in measures.values()]
    if by_loudness and decibels(max(levels)) - decibels(min(levels)) > LOUDNESS_SPREAD_DB:
        problems.append(f"loudness differs: {decibels(min(levels)):.1f} to "
                        f"{decibels(max(levels)):.1f} dBFS")
    if not by_loudness and max(peaks) - min(peaks) > 0.05:
        problems.append(f"peaks differ: {min(peaks):.3f} to {max(peaks):.3f}")
    if max(peaks) > 1.0:
        problems.append(f"a peak of {max(peaks):.3f} may clip")
    for name, m in measures.items():
        if m["seconds"] > longest:
            problems.append(f"{name} lasts {m['seconds']:.2f} s")
    names = sorted(measures)
    for i, first in enumerate(names):
        for second in names[i + 1:]:
            if alike(measures[first], measures[second]):
                problems.append(f"{first} and {second} sound alike")
    return problems


def ending(rate, samples):
    """(seconds of silence after the last sound, level of its last 20 ms in dB below the peak).
    Silence is anything 60 dB below the peak; a tune that dies away ends far below its peak."""
    peak = max(abs(value) for value in samples)
    last = max(i for i, value in enumerate(samples) if abs(value) > peak / 1000)
    window = samples[max(0, last - int(0.02 * rate)):last + 1]
    return (len(samples) - 1 - last) / rate, decibels(peak) - decibels(max(map(abs, window)))


def check_ending(name, rate, samples):
    trailing, below = ending(rate, samples)
    problems = []
    if trailing > LONGEST_SILENCE:
        problems.append(f"{name} ends on {trailing:.2f} s of silence")
    if below < 40:
        problems.append(f"{name} stops {below:.0f} dB below its peak instead of dying away")
    return problems


def describe(name, m):
    return (f"{name}: {m['seconds']:.2f} s, peak {decibels(m['peak']):.1f} dBFS, "
            f"rms {decibels(m['rms']):.1f} dBFS, loudness {decibels(m['loudness']):.1f} dBFS, "
            f"{m['crossings_per_second']:.0f} crossings/s")


# Effects stay well under a second; the tunes last a few seconds.
LONGEST_EFFECT = 0.6
LONGEST_TUNE = 4.5


def generate(out):
    """Writes data/sound/ into out; stops with a message when the numbers are wrong."""
    folder = os.path.join(out, "sound")
    os.makedirs(folder, exist_ok=True)
    effects, tunes, problems = {}, {}, []
    for name, make in EFFECTS:
        path = os.path.join(folder, name)
        write_wav(path, matched(make(EFFECT_RATE)), EFFECT_RATE)
        effects[name] = measure(*read_wav(path))
    for name, make in TUNES:
        path = os.path.join(folder, name)
        write_mp3(path, normalised(make(MUSIC_RATE)), MUSIC_RATE)
        rate, decoded = decode_mp3(path)
        tunes[name] = measure(rate, decoded)
        problems += check_ending(name, rate, decoded)
        print(f"{name}: {ending(rate, decoded)[0]:.2f} s of silence at the end")
    for name, m in list(effects.items()) + list(tunes.items()):
        print(describe(name, m))
    problems += check_set(effects, LONGEST_EFFECT, by_loudness=True)
    problems += check_set(tunes, LONGEST_TUNE)
    if problems:
        raise SystemExit("sound: " + "; ".join(problems))
    return sorted(os.path.join("sound", name) for name, _ in EFFECTS + TUNES)


def main():
    parser = argparse.ArgumentParser(description="Synthesises the game's sounds into data/sound/.")
    parser.add_argument("--check", action="store_true",
                        help="compare a fresh build with data/sound/ instead of writing it")
    args = parser.parse_args()
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "data")
    with tempfile.TemporaryDirectory() as fresh:
        names = generate(fresh)
        if args.check:
            different = [name for name in names
                         if not os.path.exists(os.path.join(data, name))
                         or not filecmp.cmp(os.path.join(fresh, name), os.path.join(data, name),
                                            shallow=False)]
            for name in different:
                print(f"differs: data/{name}")
            print("data/sound is up to date" if not different else f"{len(different)} differ")
            return 1 if different else 0
        for name in names:
            shutil.copyfile(os.path.join(fresh, name), os.path.join(data, name))
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
