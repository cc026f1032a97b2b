#!/usr/bin/env bash
# Synthesises the three alert sounds the program packages, as 16-bit PCM in WAV files:
#   Sonar.wav    a ping: a 1.2 kHz sine, fast attack, exponential decay and a faint echo (1.2 s)
#   Bowl.wav     a singing bowl: partials at 1x, 2.7x and 5.2x of 420 Hz, each a slowly
#                beating pair, with slow decays (3 s)
#   Whistle.wav  a two-note rising whistle with a gliding step and a little vibrato (1 s)
# Every file is mono, 44.1 kHz, 16-bit, peaking near -3 dBFS, with a smooth attack and a gentle
# fade to silence so that neither end clicks. PCM needs no decoder when the program starts: it
# reads the samples as they are. The sound starts at the first sample, so an alert is heard as
# soon as it plays.
#
# Needs python3 (standard library only: it writes the raw waveforms) and sox (peak
# normalisation); Debian packages python3 and sox. Downloads nothing. Safe to re-run from any
# directory: it works in the folder it lives in and overwrites the .wav files.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"

readonly RATE=44100
readonly PEAK_DB=-3

for tool in python3 sox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "make-sounds.sh: $tool not found; install the Debian package $tool" >&2
        exit 1
    fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Writes the raw waveform of sound $1 to the 24-bit mono WAV file $2.
synthesise() {
    python3 - "$1" "$2" "$RATE" <<'PY'
import math
import struct
import sys
import wave

name, path, rate = sys.argv[1], sys.argv[2], int(sys.argv[3])
TAU = 2.0 * math.pi


def rise(t, length):
    """Raised-cosine ramp from 0 to 1 over `length` seconds."""
    if t >= length:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * t / length)


def tail(t, duration, length):
    """Raised-cosine fade from 1 to 0 over the last `length` seconds of `duration`."""
    left = duration - t
    if left >= length:
        return 1.0
    return max(0.0, 0.5 - 0.5 * math.cos(math.pi * left / length))


def sonar():
    duration, freq = 1.2, 1200.0
    echoes = [(0.0, 1.0), (0.30, 0.20), (0.60, 0.05)]  # (delay s, gain)

    def ping(t):
        if t < 0.0:
            return 0.0
        return rise(t, 0.004) * math.exp(-t / 0.28) * math.sin(TAU * freq * t)

    for i in range(int(duration * rate)):
        t = i / rate
        yield tail(t, duration, 0.30) * sum(g * ping(t - d) for d, g in echoes)


def bowl():
    duration, base = 3.0, 420.0
    # (ratio to the base, amplitude, decay time constant s, beat rate Hz)
    partials = [(1.0, 1.00, 1.90, 0.8), (2.7, 0.45, 1.20, 1.3), (5.2, 0.20, 0.65, 2.1)]
    for i in range(int(duration * rate)):
        t = i / rate
        value = 0.0
        for ratio, amp, decay, beat in partials:
            f = base * ratio
            # Two close tones, the second weaker: a gentle beating at `beat` Hz.
            pair = (math.sin(TAU * (f - beat / 2) * t)
                    + 0.4 * math.sin(TAU * (f + beat / 2) * t + 0.7))
            value += amp * math.exp(-t / decay) * pair
        yield rise(t, 0.008) * tail(t, duration, 0.80) * value


def whistle():
    duration = 1.0
    low, high = 1480.0, 1976.0           # a rising fourth
    step_at, step_len = 0.36, 0.07       # glide from low to high
    phase, vib_phase = 0.0, 0.0
    for i in range(int(duration * rate)):
        t = i / rate
        if t < step_at:
            f, since = low, t
        elif t < step_at + step_len:
            x = (t - step_at) / step_len
            f, since = low + (high - low) * (0.5 - 0.5 * math.cos(math.pi * x)), 0.0
        else:
            f, since = high, t - step_at - step_len
        # Vibrato at 6 Hz that grows in over each note, to about +-1 %.
        depth = 0.011 * rise(since, 0.15)
        vib_phase += TAU * 6.0 / rate
        f *= 1.0 + depth * math.sin(vib_phase)
        phase += TAU * f / rate
        # A slight dip in loudness while gliding, as a whistler's breath shifts.
        dip = 1.0
        if step_at <= t < step_at + step_len:
            dip = 1.0 - 0.3 * math.sin(math.pi * (t - step_at) / step_len)
        env = rise(t, 0.03) * tail(t, duration, 0.18) * dip
        yield env * (math.sin(phase) + 0.06 * math.sin(2.0 * phase))


samples = list({"Sonar": sonar, "Bowl": bowl, "Whistle": whistle}[name]())
peak = max(abs(s) for s in samples)
scale = 0.9 * 8388607 / peak  # headroom only: sox sets the final peak
with wave.open(path, "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(3)
    out.setframerate(rate)
    out.writeframes(b"".join(struct.pack("<i", round(s * scale))[:3] for s in samples))
PY
}

# The waveforms stay at 24 bits up to the final step; sox then rounds to 16 bits without dither
# (-D), so every run makes the same files. The header is the plain 44-byte PCM one.
for name in Sonar Bowl Whistle; do
    synthesise "$name" "$work/$name.raw.wav"
    sox -D "$work/$name.raw.wav" --bits 16 --encoding signed-integer "$work/$name.wav" \
        gain -n "$PEAK_DB"
    mv "$work/$name.wav" "$name.wav"
    echo "made $name.wav ($(stat -c %s "$name.wav") bytes)"
done
