#!/usr/bin/env python3
"""Synthesizes the program's own sounds with the standard library only:
  program/music/orvelle-morning.wav  a bright piece in D major (default theme)
  program/music/orvelle-evening.wav  a calm piece in A minor (default theme)
  tests/wine/data/tone-a.wav, tone-b.wav  two short tones for the media player tests
All are mono 16-bit PCM; the pieces at 22,050 Hz to stay well under 1 MB each.

Usage: python3 scripts/make_music.py
"""
import array
import math
import os
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TWO_PI = 2 * math.pi


def midi_hz(note):
    return 440.0 * 2 ** ((note - 69) / 12)


class Track:
    def __init__(self, seconds, rate=22050):
        self.rate = rate
        self.buf = array.array("d", [0.0]) * int(seconds * rate)

    def add(self, start, samples):
        i0 = int(start * self.rate)
        buf = self.buf
        for i, s in enumerate(samples, i0):
            if i >= len(buf):
                break
            buf[i] += s

    # A soft bell-like piano: a few partials, the higher ones dying away sooner.
    def bell(self, start, note, seconds, gain=0.3):
        f, rate = midi_hz(note), self.rate
        partials = ((1.0, 1.0, 2.2), (2.0, 0.42, 3.5), (3.0, 0.18, 5.0), (4.01, 0.08, 7.0))
        length = int((seconds + 0.9) * rate)
        attack = int(0.006 * rate)
        out = []
        for n in range(length):
            t = n / rate
            s = 0.0
            for mult, amp, decay in partials:
                s += amp * math.exp(-decay * t) * math.sin(TWO_PI * f * mult * t)
            env = n / attack if n < attack else 1.0
            if t > seconds:  # note released: damp quickly but smoothly
                env *= math.exp(-9.0 * (t - seconds))
            out.append(gain * env * s)
        self.add(start, out)

    # A slow pad chord: detuned pairs of sines with a gentle swell.
    def pad(self, start, notes, seconds, gain=0.06):
        rate = self.rate
        length = int((seconds + 0.8) * rate)
        freqs = [midi_hz(n) * d for n in notes for d in (0.997, 1.003)]
        out = []
        for n in range(length):
            t = n / rate
            env = min(1.0, t / 0.5)
            if t > seconds:
                env *= max(0.0, 1.0 - (t - seconds) / 0.8)
            tremolo = 1.0 + 0.08 * math.sin(TWO_PI * 4.5 * t)
            s = sum(math.sin(TWO_PI * f * t) for f in freqs)
            out.append(gain * env * tremolo * s)
        self.add(start, out)

    def bass(self, start, note, seconds, gain=0.28):
        f, rate = midi_hz(note), self.rate
        length = int((seconds + 0.3) * rate)
        out = []
        for n in range(length):
            t = n / rate
            env = min(1.0, t / 0.015) * math.exp(-1.6 * t)
            if t > seconds:
                env *= max(0.0, 1.0 - (t - seconds) / 0.3)
            out.append(gain * env * (math.sin(TWO_PI * f * t) + 0.25 * math.sin(TWO_PI * 2 * f * t)))
        self.add(start, out)

    # A little room: two feedback echoes, quiet enough to soften rather than repeat.
    def room(self):
        for delay, feedback in ((0.137, 0.22), (0.211, 0.18)):
            d = int(delay * self.rate)
            buf = self.buf
            for i in range(d, len(buf)):
                buf[i] += feedback * buf[i - d]

    def write(self, path, peak=0.6, fade=1.2):
        buf = self.buf
        fade_n = int(fade * self.rate)
        for i in range(fade_n):
            buf[len(buf) - fade_n + i] *= (1.0 - i / fade_n) ** 2
        top = max(abs(s) for s in buf) or 1.0
        pcm = array.array("h", (int(round(s / top * peak * 32767)) for s in buf))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with wave.open(path, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(self.rate)
            w.writeframes(pcm.tobytes())
        print(f"{path}: {len(buf) / self.rate:.1f} s, {os.path.getsize(path)} bytes")


def compose(path, bpm, bars, melody, tail, arp_pattern, melody_gain, arp_gain):
    beat = 60.0 / bpm
    track = Track(len(bars) * 4 * beat + tail)
    for bar, (root, chord) in enumerate(bars):
        t0 = bar * 4 * beat
        last = bar == len(bars) - 1
        track.pad(t0, chord, 4 * beat + (tail * 0.6 if last else 0.0))
        track.bass(t0, root, 2 * beat if not last else 4 * beat)
        if not last:
            track.bass(t0 + 2 * beat, root + (7 if bar % 2 else 0), 2 * beat)
            for step, pick in enumerate(arp_pattern):
                note = chord[pick % len(chord)] + 12 * (pick // len(chord))
                track.bell(t0 + step * beat / 2, note, beat / 2, arp_gain)
        t = t0
        for note, beats in melody[bar]:
            if note:
                track.bell(t, note, beats * beat, melody_gain)
            t += beats * beat
    track.room()
    track.write(path)


def morning():
    # D major, unhurried but bright.
    D, A, Bm, G, Em = (50, [62, 66, 69]), (45, [61, 64, 69]), (47, [59, 62, 66]), \
        (43, [59, 62, 67]), (52, [59, 64, 67])
    bars = [D, A, Bm, G, Em, A, D, D]
    melody = [
        [(78, 1), (76, .5), (74, .5), (69, 1), (74, 1)],
        [(73, 1), (76, 1), (69, 1.5), (71, .5)],
        [(74, 1), (78, .5), (76, .5), (74, 1), (71, 1)],
        [(74, 1.5), (76, .5), (74, 1), (71, 1)],
        [(79, 1), (78, .5), (76, .5), (71, 1), (76, 1)],
        [(73, 1), (74, .5), (76, .5), (81, 1.5), (79, .5)],
        [(78, 1), (76, .5), (74, .5), (76, 1), (73, 1)],
        [(74, 4)],
    ]
    compose(os.path.join(ROOT, "program", "music", "orvelle-morning.wav"), 112, bars, melody,
            tail=1.8, arp_pattern=[0, 1, 2, 3, 2, 1, 2, 4], melody_gain=0.32, arp_gain=0.1)


def evening():
    # A minor, slower and lower, the arpeggio in quarter-note steps.
    Am, F, C, G = (45, [57, 60, 64]), (41, [57, 60, 65]), (48, [55, 60, 64]), (43, [55, 59, 62])
    bars = [Am, F, C, G, F, Am]
    melody = [
        [(76, 1.5), (74, .5), (72, 1), (69, 1)],
        [(72, 1), (74, .5), (72, .5), (69, 2)],
        [(67, 1), (72, 1), (76, 1.5), (74, .5)],
        [(74, 2), (71, 1), (67, 1)],
        [(69, 1), (72, 1), (77, 1), (76, 1)],
        [(69, 4)],
    ]
    compose(os.path.join(ROOT, "program", "music", "orvelle-evening.wav"), 80, bars, melody,
            tail=2.0, arp_pattern=[0, 1, 2, 1, 3, 1, 2, 1], melody_gain=0.3, arp_gain=0.07)


def test_tones():
    data = os.path.join(ROOT, "tests", "wine", "data")
    a = Track(0.6)
    a.bell(0.0, 72, 0.4, 0.5)
    a.write(os.path.join(data, "tone-a.wav"), fade=0.1)
    b = Track(0.8, rate=11025)
    b.bell(0.0, 69, 0.3, 0.5)
    b.bell(0.35, 76, 0.3, 0.5)
    b.write(os.path.join(data, "tone-b.wav"), fade=0.1)


if __name__ == "__main__":
    test_tones()
    morning()
    evening()
