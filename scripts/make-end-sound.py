#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the station's built-in end-of-test sound: a soft two-note chime
(E5 then A5 with their octaves, each fading out), 0.7 s, 22050 Hz, 16-bit mono.

    scripts/make-end-sound.py src/ui/sound/EndTest.wav
"""
import math
import struct
import sys
import wave

RATE = 22050
NOTES = [(0.00, 659.25), (0.18, 880.00)]  # start in seconds, pitch in Hz
LENGTH = 0.7


def sample(t: float) -> float:
    value = 0.0
    for start, pitch in NOTES:
        if t < start:
            continue
        local = t - start
        attack = min(1.0, local / 0.005)
        envelope = attack * math.exp(-local * 6.0)
        value += envelope * (math.sin(2 * math.pi * pitch * local)
                             + 0.3 * math.sin(4 * math.pi * pitch * local))
    return value * 0.35


def main() -> None:
    frames = bytearray()
    count = int(RATE * LENGTH)
    for n in range(count):
        fade = min(1.0, (count - n) / (RATE * 0.02))  # no click at the end
        frames += struct.pack("<h", int(max(-1.0, min(1.0, sample(n / RATE) * fade)) * 32767))
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
