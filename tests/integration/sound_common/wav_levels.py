"""Reading the game's mixed output (OpenAL Soft's wave writer) and measuring it.

Not a test by itself (no run.sh): the sound_* tests import it. Pure Python, so
it needs nothing beyond the interpreter.

    tone(path, seconds, hz, amplitude)  writes a 16-bit mono sine tone
    read(path) -> (rate, samples)        mono floats in [-1, 1], channels averaged
    rms(samples, rate, window_s)         RMS of each window
    tone_level(samples, rate, hz, window_s)  amplitude of one frequency per window
"""
import array
import math
import struct
import sys
import wave


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
    """The wave writer fills in the chunk sizes when the device closes; a file
    cut short still reads up to its end."""
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:4] != b"RIFF" or blob[8:12] != b"WAVE":
        raise ValueError(path + ": not a RIFF/WAVE file")
    pos = 12
    fmt = None
    while pos + 8 <= len(blob):
        cid, size = blob[pos:pos + 4], struct.unpack("<I", blob[pos + 4:pos + 8])[0]
        body = pos + 8
        if cid == b"fmt ":
            tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", blob[body:body + 16])
            if tag == 0xFFFE:  # extensible: the sub-format's first two bytes are the tag
                tag = struct.unpack("<H", blob[body + 24:body + 26])[0]
            fmt = (tag, channels, rate, bits)
        elif cid == b"data":
            if fmt is None:
                raise ValueError(path + ": data before fmt")
            end = len(blob) if size in (0, 0xFFFFFFFF) or body + size > len(blob) else body + size
            return decode(fmt, blob[body:end])
        pos = body + size + (size & 1)
    raise ValueError(path + ": no data chunk")


def decode(fmt, raw):
    tag, channels, rate, bits = fmt
    if tag == 3 and bits == 32:
        data = array.array("f")
        scale = 1.0
    elif tag == 1 and bits == 16:
        data = array.array("h")
        scale = 1.0 / 32768.0
    elif tag == 1 and bits == 8:
        data = array.array("f", ((b - 128) / 128.0 for b in raw))
        scale = 1.0
        raw = None
    else:
        raise ValueError("unsupported sample format tag %d, %d bits" % (tag, bits))
    if raw is not None:
        usable = len(raw) - len(raw) % (data.itemsize * channels)
        data.frombytes(raw[:usable])
        if sys.byteorder != "little":
            data.byteswap()
    mono = [sum(data[i:i + channels]) * scale / channels for i in range(0, len(data), channels)]
    return rate, mono


def windows(samples, rate, window_s):
    n = max(1, int(rate * window_s))
    return [samples[i:i + n] for i in range(0, len(samples) - n + 1, n)]


def rms(samples, rate, window_s=0.05):
    return [math.sqrt(sum(x * x for x in w) / len(w)) for w in windows(samples, rate, window_s)]


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
