#!/usr/bin/env python3
"""Writes alarm.wav, the default alarm sound: a soft two-tone chime ("ding-dong"), 16-bit PCM mono.

Run from this folder: python3 make_alarm_wav.py
The output is deterministic, so running it again gives the same file.
"""
import math
import struct
import wave

RATE = 22050
TONES = [(659.25, 0.0), (523.25, 0.42)]  # E5 then C5, start time in seconds
TONE_LENGTH = 0.58  # seconds each tone rings before it has died away
TAIL = 0.15  # silence at the end, so no player cuts off the last of the decay
PEAK = 0.55  # of full scale: loud enough to notice, not harsh


def chime(t, freq):
    """One struck tone: fundamental plus two soft overtones, quick attack, exponential decay."""
    if t < 0 or t >= TONE_LENGTH:
        return 0.0
    attack = min(1.0, t / 0.008)
    decay = math.exp(-t * 5.5)
    release = min(1.0, (TONE_LENGTH - t) / 0.05)  # reach exactly zero at the end of the tone
    partials = (math.sin(2 * math.pi * freq * t)
                + 0.35 * math.sin(2 * math.pi * 2 * freq * t)
                + 0.12 * math.sin(2 * math.pi * 3.01 * freq * t))
    return attack * decay * release * partials / 1.47


def main():
    length = max(start for _, start in TONES) + TONE_LENGTH + TAIL
    frames = bytearray()
    for i in range(int(length * RATE)):
        t = i / RATE
        v = sum(chime(t - start, freq) for freq, start in TONES)
        sample = int(round(max(-1.0, min(1.0, v * PEAK)) * 32767))
        frames += struct.pack('<h', sample)
    with wave.open('alarm.wav', 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


if __name__ == '__main__':
    main()
