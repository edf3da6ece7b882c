"""Tones for the sound_* tests' banks, and the captured mix measured per
window and per frequency (the capture itself is read by ../qm_audio.py).

Not a test by itself (no run.sh): the sound_* tests import it. Pure Python, so
it needs nothing beyond the interpreter.

    tone(path, seconds, hz, amplitude)  writes a 16-bit mono sine tone
    read(path) -> (rate, samples)        mono floats in [-1, 1], channels averaged
    rms_levels(path, window_s)           RMS of each window, all channels
    tone_level(samples, rate, hz, window_s)  amplitude of one frequency per window
"""
import array
import math
import os
import sys
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import qm_audio  # noqa: E402


def tone(path, seconds, hz, amplitude=0.5, rate=22050):
    n = int(seconds * rate)
    data = array.array("h", (int(32767 * amplitude * math.sin(2 * math.pi * hz * i / rate)) for i in range(n)))
    if sys.byteorder != "little":
        data.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def read(path):
    """(rate, mono samples): the capture read by qm_audio.Capture, its
    channels averaged."""
    cap = qm_audio.Capture(path)
    c, v = cap.channels, cap.values
    return cap.rate, [sum(v[i:i + c]) / c for i in range(0, len(v), c)]


def windows(samples, rate, window_s):
    n = max(1, int(rate * window_s))
    return [samples[i:i + n] for i in range(0, len(samples) - n + 1, n)]


def rms_levels(path, window_s=0.05):
    """RMS of each window over every sample of every channel, so panning
    does not change it."""
    cap = qm_audio.Capture(path)
    n = int(cap.seconds() / window_s)
    return [cap.rms(i * window_s, (i + 1) * window_s) for i in range(n)]


def tone_level(samples, rate, hz, window_s=0.05):
    """Goertzel: the amplitude of the hz component in each window."""
    out = []
    coeff = 2 * math.cos(2 * math.pi * hz / rate)
    for w in windows(samples, rate, window_s):
        s1 = s2 = 0.0
        for x in w:
            s0 = x + coeff * s1 - s2
            s2, s1 = s1, s0
        power = s1 * s1 + s2 * s2 - coeff * s1 * s2
        out.append(2 * math.sqrt(max(power, 0.0)) / len(w))
    return out


if __name__ == "__main__":
    # wav_levels.py tone <out.wav> <seconds> <hz> [amplitude]
    if len(sys.argv) >= 5 and sys.argv[1] == "tone":
        tone(sys.argv[2], float(sys.argv[3]), float(sys.argv[4]), float(sys.argv[5]) if len(sys.argv) > 5 else 0.5)
    else:
        sys.exit("usage: wav_levels.py tone <out.wav> <seconds> <hz> [amplitude]")
