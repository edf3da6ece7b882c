#!/usr/bin/env python3
"""Reads the WAV file that OpenAL Soft's wave writer makes of the game's mix
(see qm_audio_capture_env in lib.sh) and prints loudness over time, so an
integration test can check that something is audible, silent, fading, or
quieter far away than near.

    qm_audio.py info FILE                   rate, channels, sample format, seconds
    qm_audio.py levels FILE [WINDOW_S]      one line per window: "<start s> <rms>"
    qm_audio.py rms FILE START_S END_S      the RMS of that span

RMS is taken over every sample of every channel, on a 0..1 full-scale range
(a full-scale sine is 0.707), printed with 6 decimals. Taken that way it does
not change when a sound is panned (OpenAL pans with constant power), so near
and far compare by distance alone.

Python's wave module reads only integer PCM with the plain format tag, while
the wave writer uses WAVE_FORMAT_EXTENSIBLE and 32-bit float, so the RIFF
chunks are read here. A capture whose writer was killed before it could
finish the header (sizes left 0) is read up to the end of the file.
"""
import math
import struct
import sys

PCM, FLOAT, EXTENSIBLE = 1, 3, 0xFFFE


class Capture:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if len(data) < 12 or data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
            raise ValueError(f"{path}: not a RIFF WAVE file")
        pos, fmt, samples = 12, None, None
        while pos + 8 <= len(data):
            cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
            body = pos + 8
            if cid == b"fmt ":
                tag, channels, rate = struct.unpack_from("<HHI", data, body)
                bits = struct.unpack_from("<H", data, body + 14)[0]
                if tag == EXTENSIBLE and size >= 40:
                    tag = struct.unpack_from("<H", data, body + 24)[0]  # first two bytes of the sub-format GUID
                fmt = (tag, channels, rate, bits)
            elif cid == b"data":
                end = body + size
                if size == 0 or end > len(data):  # header never finished
                    end = len(data)
                samples = data[body:end]
                break
            pos = body + size + (size & 1)
        if fmt is None or samples is None:
            raise ValueError(f"{path}: no fmt or data chunk")
        self.tag, self.channels, self.rate, self.bits = fmt
        if (self.tag, self.bits) not in ((PCM, 8), (PCM, 16), (PCM, 24), (PCM, 32), (FLOAT, 32), (FLOAT, 64)):
            raise ValueError(f"{path}: unsupported sample format (tag {self.tag}, {self.bits} bits)")
        width = self.bits // 8
        frame = width * self.channels
        usable = len(samples) - len(samples) % frame
        self.frames = usable // frame
        self.values = self._decode(samples[:usable], width)

    def _decode(self, raw, width):
        count = len(raw) // width
        if self.tag == FLOAT:
            values = struct.unpack("<%d%s" % (count, "f" if width == 4 else "d"), raw)
        elif width == 1:
            values = [(b - 128) / 128.0 for b in raw]
        elif width == 2:
            values = [v / 32768.0 for v in struct.unpack("<%dh" % count, raw)]
        elif width == 4:
            values = [v / 2147483648.0 for v in struct.unpack("<%di" % count, raw)]
        else:
            values = [int.from_bytes(raw[i:i + 3], "little", signed=True) / 8388608.0 for i in range(0, len(raw), 3)]
        return values

    def seconds(self):
        return self.frames / self.rate

    def rms(self, start_s, end_s):
        c = self.channels
        a = max(0, int(start_s * self.rate)) * c
        b = min(self.frames, int(end_s * self.rate)) * c
        if b <= a:
            return 0.0
        return math.sqrt(math.fsum(v * v for v in self.values[a:b]) / (b - a))


def main(argv):
    if len(argv) < 3 or argv[1] not in ("info", "levels", "rms"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        cap = Capture(argv[2])
    except (OSError, ValueError, struct.error) as e:
        print(f"qm_audio: {e}", file=sys.stderr)
        return 1
    if argv[1] == "info":
        kind = "float" if cap.tag == FLOAT else "pcm"
        print(f"rate {cap.rate} channels {cap.channels} format {kind}{cap.bits} seconds {cap.seconds():.3f}")
    elif argv[1] == "levels":
        window = float(argv[3]) if len(argv) > 3 else 0.1
        if window <= 0:
            print("qm_audio: the window must be above 0 s", file=sys.stderr)
            return 2
        t = 0.0
        while t < cap.seconds():
            print(f"{t:.3f} {cap.rms(t, t + window):.6f}")
            t += window
    else:
        if len(argv) != 5:
            print("qm_audio: rms FILE START_S END_S", file=sys.stderr)
            return 2
        print(f"{cap.rms(float(argv[3]), float(argv[4])):.6f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
