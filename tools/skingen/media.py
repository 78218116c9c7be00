"""Writers for the non-picture skin files: icon, uncompressed AVI, PCM WAV,
and the two synthesised sounds."""

import math
import struct


def _dib_rows(img):
    """Bottom-up 24-bit BGR rows, each padded to a multiple of 4 bytes."""
    w, h = img.size
    raw = img.convert("RGB").tobytes()
    pad = (-3 * w) % 4
    rows = []
    for y in range(h - 1, -1, -1):
        row = raw[3 * w * y:3 * w * (y + 1)]
        bgr = bytearray(len(row))
        bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(bytes(bgr) + b"\0" * pad)
    return b"".join(rows)


def _bitmap_info(w, h, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 0, 0, 0, 0)


def write_ico(path, images):
    """Icon with one 32-bit DIB entry per picture (RGBA images, square)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.size
        px = img.convert("RGBA").tobytes()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[4 * (y * w + x):4 * (y * w + x) + 4]
                xor += bytes((b, g, r, a))
        and_stride = ((w + 31) // 32) * 4
        andmask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(and_stride)
            for x in range(w):
                if px[4 * (y * w + x) + 3] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            andmask += row
        blob = _bitmap_info(w, 2 * h, 32, len(xor) + len(andmask)) + bytes(xor) + bytes(andmask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        f.write(b"".join(entries))
        f.write(b"".join(blobs))


def _chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def _list(kind, data):
    return _chunk(b"LIST", kind + data)


def write_avi(path, frames, fps):
    """Uncompressed 24-bit AVI ('DIB ' frames, no audio) as the animation
    control plays it: hdrl with avih and one video strl, movi, idx1."""
    w, h = frames[0].size
    dibs = [_dib_rows(fr) for fr in frames]
    size = len(dibs[0])
    usec = int(round(1000000 / fps))
    avih = struct.pack("<IIIIIIIIII4I", usec, size * fps, 0, 0x10,  # AVIF_HASINDEX
                       len(frames), 0, 1, size, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0,
                       1, fps, 0, len(frames), size, 0xFFFFFFFF, 0, 0, 0, w, h)
    strf = _bitmap_info(w, h, 24, size)
    hdrl = _list(b"hdrl", _chunk(b"avih", avih)
                 + _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for d in dibs:
        # Offsets count from the 'movi' four-character code.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_body), len(d))
        movi_body += _chunk(b"00db", d)
    body = b"AVI " + hdrl + _list(b"movi", movi_body) + _chunk(b"idx1", index)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def write_wav(path, samples, rate=22050):
    """Mono 16-bit PCM; samples are floats in [-1, 1]."""
    pcm = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                   for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + _chunk(b"fmt ", fmt) + _chunk(b"data", pcm)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


class _Noise:
    """Small fixed linear congruential generator: the same noise on every run."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def glass_breaking(rate=22050, seconds=0.8):
    """A crash of noise followed by a shower of ringing shards."""
    n = int(rate * seconds)
    rnd = _Noise(3817)
    out = [0.0] * n
    # Impact: bright noise burst, high-passed by differencing.
    prev = 0.0
    for i in range(int(rate * 0.12)):
        v = rnd.next()
        env = math.exp(-i / (rate * 0.025))
        out[i] += (v - prev) * 0.55 * env
        prev = v
    # Shards: short decaying high sine pings at scattered times.
    for k in range(34):
        start = int(rate * (0.004 + 0.55 * ((k * 0.6180339) % 1.0) ** 1.6))
        freq = 2600 + 5200 * ((k * 0.7548776) % 1.0)
        amp = 0.32 * (1.0 - k / 40.0)
        decay = rate * (0.018 + 0.05 * ((k * 0.5698403) % 1.0))
        length = min(n - start, int(decay * 5))
        phase = 0.0
        step = 2 * math.pi * freq / rate
        for j in range(length):
            out[start + j] += amp * math.sin(phase) * math.exp(-j / decay)
            phase += step
    # Tinkle: faint sparse clicks across the tail.
    for i in range(n):
        v = rnd.next()
        if v > 0.995:
            out[i] += 0.25 * (1.0 - i / n)
    peak = max(abs(s) for s in out) or 1.0
    fade = int(rate * 0.05)
    return [s / peak * 0.85 * (min(1.0, (n - 1 - i) / fade)) for i, s in enumerate(out)]


def soft_click(rate=22050, seconds=0.12):
    """Two quick clicks, the sound of a double click."""
    n = int(rate * seconds)
    out = [0.0] * n
    for start in (0, int(rate * 0.06)):
        for j in range(int(rate * 0.02)):
            if start + j < n:
                out[start + j] += 0.6 * math.sin(2 * math.pi * 1800 * j / rate) * math.exp(-j / (rate * 0.003))
    return out
