"""Sound for the integration tests: tones for a test's banks, and the game's mix
as OpenAL Soft's wave writer captures it (qm_audio_capture in lib.sh),
measured per window of time.

    python3 qm_audio.py tone OUT.wav SECONDS HZ     writes a 16-bit mono sine tone
    python3 qm_audio.py rms CAPTURE START END       prints the RMS of that span

The wave writer uses WAVE_FORMAT_EXTENSIBLE and 32-bit float, which Python's
wave module does not read, so the RIFF chunks are read here. A capture whose
writer was killed before it finished the header (sizes left 0) is read to the
end of the file.
"""
import array
import math
import struct
import sys
import wave


def tone(path, seconds, hz, rate=22050):
    data = array.array("h", (int(16383 * math.sin(2 * math.pi * hz * i / rate)) for i in range(int(seconds * rate))))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


class Capture:
    def __init__(self, path):
        data = open(path, "rb").read()
        if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
            raise ValueError(f"{path}: not a RIFF WAVE file")
        pos, fmt = 12, None
        while pos + 8 <= len(data):
            cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
            if cid == b"fmt ":
                tag, self.channels, self.rate = struct.unpack_from("<HHI", data, pos + 8)
                bits = struct.unpack_from("<H", data, pos + 22)[0]
                if tag == 0xFFFE:  # extensible: the format is the sub-format GUID's first two bytes
                    tag = struct.unpack_from("<H", data, pos + 32)[0]
                fmt = (tag, bits)
            elif cid == b"data":
                end = len(data) if size == 0 or pos + 8 + size > len(data) else pos + 8 + size
                raw = data[pos + 8:end]
                break
            pos += 8 + size + (size & 1)
        if fmt not in ((3, 32), (1, 16)):
            raise ValueError(f"{path}: unsupported sample format {fmt}")
        width = fmt[1] // 8
        raw = raw[:len(raw) - len(raw) % (width * self.channels)]
        values = struct.unpack("<%d%s" % (len(raw) // width, "f" if fmt[0] == 3 else "h"), raw)
        self.values = values if fmt[0] == 3 else [v / 32768.0 for v in values]
        c = self.channels
        self.mono = [sum(self.values[i:i + c]) / c for i in range(0, len(self.values), c)]

    def windows(self, seconds, signal):
        n = max(1, int(self.rate * seconds)) * (self.channels if signal is self.values else 1)
        return [signal[i:i + n] for i in range(0, len(signal) - n + 1, n)]

    def levels(self, seconds=0.05):
        """RMS of each window over every sample of every channel (0..1 full
        scale), so panning does not change it."""
        return [math.sqrt(math.fsum(v * v for v in w) / len(w)) for w in self.windows(seconds, self.values)]

    def tone_levels(self, hz, seconds=0.05):
        """Goertzel: the amplitude of the hz component in each window. Tones
        with whole cycles in a window do not leak into each other's levels."""
        coeff, out = 2 * math.cos(2 * math.pi * hz / self.rate), []
        for w in self.windows(seconds, self.mono):
            s1 = s2 = 0.0
            for x in w:
                s1, s2 = x + coeff * s1 - s2, s1
            out.append(2 * math.sqrt(max(s1 * s1 + s2 * s2 - coeff * s1 * s2, 0.0)) / len(w))
        return out


if __name__ == "__main__":
    if len(sys.argv) != 5 or sys.argv[1] not in ("tone", "rms"):
        sys.exit(__doc__)
    if sys.argv[1] == "tone":
        tone(sys.argv[2], float(sys.argv[3]), float(sys.argv[4]))
    else:
        cap, a, b = Capture(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
        span = cap.values[int(a * cap.rate) * cap.channels:int(b * cap.rate) * cap.channels]
        print("%.6f" % math.sqrt(math.fsum(v * v for v in span) / max(1, len(span))))
