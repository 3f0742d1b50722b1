#!/usr/bin/env python3
"""End-to-end checks of the first screens: the splash logo, the title screen loading behind
its loading image, the pulsing click-to-begin button, the drawn pointer at the mouse, and the
five player files read at start and written at the end.

The pictures are recognised by the archive's own images: the pixels that an image paints
fully opaque must show on screen with that image's colours (darkened evenly while a fade
runs)."""

import os
import re
import shutil
import struct
import sys
import tempfile
import time
import zlib

from harness import Failure, Game, check, keep, main, wait_for

SAVE_FOLDER = os.path.join("Quorlan Games", "Lunerra Solitaire")
MAGIC = 0x8B901886


# ---- the archive's images -------------------------------------------------------------

def archive_of(exe):
    """The data archive beside the executable and the index rows generated with it."""
    base = os.path.dirname(os.path.abspath(exe))
    qdat = os.path.join(base, "data", "q.dat")
    index = os.path.join(base, "gen", "qdata_index.cpp")
    check(os.path.isfile(qdat) and os.path.isfile(index),
          "no data/q.dat and gen/qdata_index.cpp beside %s" % exe)
    rows = {m.group(1): (int(m.group(2)), int(m.group(3)))
            for m in re.finditer(r'\{"([^"]+)", (\d+)u, (\d+)u,', open(index).read())}
    return qdat, rows


def png_rgba(data):
    """Width, height and RGBA bytes of an 8-bit RGBA, non-interlaced PNG."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG")
    pos, idat, head = 8, b"", None
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        if kind == b"IHDR":
            head = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    w, h, depth, ctype, _, _, interlace = head
    check(depth == 8 and ctype == 6 and interlace == 0, "unexpected PNG format")
    raw, stride = zlib.decompress(idat), w * 4
    out, prev = bytearray(), bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += line
        prev = line
    return w, h, bytes(out)


class Picture:
    """The fully opaque pixels of one archive image, placed at a world position."""

    def __init__(self, archive, name, x, y, samples=400):
        qdat, rows = archive
        check(name in rows, "%s is not in the archive" % name)
        off, size = rows[name]
        with open(qdat, "rb") as f:
            f.seek(16 + off)
            w, h, px = png_rgba(f.read(size))
        opaque = [(i % w, i // w, px[4 * i:4 * i + 3]) for i in range(w * h) if px[4 * i + 3] == 255]
        check(len(opaque) >= 20, "%s has too few opaque pixels" % name)
        step = max(1, len(opaque) // samples)
        self.points = opaque[::step]
        self.name, self.x, self.y = name, x, y

    def at(self, x, y):
        self.x, self.y = x, y
        return self

    def difference(self, image):
        """Mean channel difference of the opaque pixels against the screen."""
        total = 0
        for px, py, rgb in self.points:
            total += sum(abs(a - b) for a, b in zip(image.pixel(self.x + px, self.y + py), rgb))
        return total / (3.0 * len(self.points))

    def darkened_fit(self, image):
        """(k, residual): the screen's opaque pixels as k times the image's colours."""
        num = den = 0
        pairs = []
        for px, py, rgb in self.points:
            shown = image.pixel(self.x + px, self.y + py)
            for a, b in zip(shown, rgb):
                num += a * b
                den += b * b
                pairs.append((a, b))
        k = num / den if den else 0.0
        return k, sum(abs(a - k * b) for a, b in pairs) / len(pairs)


# ---- player files -----------------------------------------------------------------------

def u32(v):
    return struct.pack(">I", v & 0xFFFFFFFF)


def profile_bytes(name="empty", fresh=True, current=False, options=None):
    """One player file as the game writes it."""
    b = u32(MAGIC) + u32(0)
    b += u32(len(name) + 1) + name.encode() + b"\0" if name else u32(0)
    b += u32(0) * 3 + bytes([1 if fresh else 0, 1 if current else 0]) + b"\1" * 20 + u32(0) * 3
    b += (u32(0) * 3 + u32(0xFFFFFFFF) + u32(0) + u32(0x7FFFFFFF)) * 20 + u32(0) * 8
    return b + (options if options is not None else default_options())


def default_options():
    return bytes([0, 0, 0, 0, 0, 0] + [0] * 4 + [0] * 4 + [0, 1, 0, 0, 0] + [0] * 4 + [0, 1, 0, 0, 0])


def player_files(folder):
    return [os.path.join(folder, "player%d.dat" % i) for i in range(5)]


def read(path):
    with open(path, "rb") as f:
        return f.read()


# ---- the run ----------------------------------------------------------------------------

class Phases:
    """Watches the window and notes when each of the first screens was seen."""

    def __init__(self, g, archive):
        self.g = g
        self.logo = Picture(archive, "i/menu/splashlogo.png", 312, 184)
        self.loading = Picture(archive, "i/menu/loading.png", 313, 651)
        self.begin = Picture(archive, "i/menu/clicktobegin.png", 313, 651)
        self.seen = {}
        self.begin_differences = []

    def note(self, what, image):
        self.seen.setdefault(what, (time.monotonic(), image))

    def classify(self, image):
        corner = max(image.pixel(2, 2) + image.pixel(1021, 765))
        if corner < 8:
            # The logo on black, fading in, at full strength or fading out: on a loaded
            # machine a second at full strength can pass between two screenshots.
            k, residual = self.logo.darkened_fit(image)
            if k > 0.25 and residual < 6:
                self.note("splash", image)
                return
        k, residual = self.loading.darkened_fit(image)
        if k > 0.25 and residual < 6:
            self.note("loading", image)
            return
        d = self.begin.difference(image)
        if "loading" in self.seen:
            self.begin_differences.append(d)
        if d < 8:
            self.note("ready", image)

    def watch(self, until, timeout):
        end = time.monotonic() + timeout
        while until not in self.seen and time.monotonic() < end:
            check(self.g.proc.poll() is None, "the game ended: %s" % self.g.finish_output())
            self.classify(self.g.screenshot())
        return until in self.seen


def pointer_shown(image, arrow, x, y):
    return arrow.at(x - 6, y - 6).difference(image) < 10


def run_to_ready(g, archive):
    """Splash, then loading, then the pulsing button, in that order; the pointer in the
    middle of the canvas once loading has ended."""
    g.find_window()
    phases = Phases(g, archive)
    check(phases.watch("ready", 25), "the click-to-begin button never showed at full strength (seen: %s)"
          % sorted(phases.seen))
    for what in ("splash", "loading"):
        check(what in phases.seen, "the %s phase was not seen" % what)
        keep(phases.seen[what][1], "title_" + what)
    keep(phases.seen["ready"][1], "title_ready")
    times = [phases.seen[w][0] for w in ("splash", "loading", "ready")]
    check(times == sorted(times), "the phases came out of order")
    # The button pulses: it was also seen well below full strength.
    check(max(phases.begin_differences) > 20, "the click-to-begin button does not pulse")
    arrow = Picture(archive, "i/menu/cursor_normal.png", 0, 0)
    check(pointer_shown(phases.seen["ready"][1], arrow, 512, 384) or
          pointer_shown(g.screenshot(), arrow, 512, 384), "no pointer in the middle once loading ended")
    return phases


def case_first_run(exe):
    """With no player files: splash, title loading, click to begin, the pointer following the
    mouse (its click image while the left button is held); the click leads the fresh profile
    to the new-player screen; closing the window there writes no player file, as nothing
    was made."""
    archive = archive_of(exe)
    g = Game(exe)
    try:
        run_to_ready(g, archive)
        arrow = Picture(archive, "i/menu/cursor_normal.png", 0, 0)
        pressed = Picture(archive, "i/menu/cursor_click.png", 0, 0)
        g.x("xdotool", "mousemove", "--window", str(g.window), "200", "150")
        check(any(pointer_shown(g.screenshot(), arrow, 200, 150) for _ in range(20)),
              "the pointer is not drawn at the mouse")
        g.x("xdotool", "mousedown", "1")
        shot = None
        for _ in range(20):
            shot = g.screenshot()
            if pointer_shown(shot, pressed, 200, 150):
                break
        keep(shot, "title_pressed")
        check(pointer_shown(shot, pressed, 200, 150), "no click image while the left button is held")
        g.x("xdotool", "mouseup", "1")
        time.sleep(0.5)
        check(g.proc.poll() is None, "the game ended on a click")
        name_screen = Picture(archive, "i/menu/continue_off.png", 313, 660)
        check(g.wait_look(lambda shot: name_screen.difference(shot) < 8, 20),
              "the click did not lead to the new-player screen")

        g.close_window()
        rc = g.wait_exit(15)
        check(rc == 0, "closing the window gave status %s: %s" % (rc, g.err.decode(errors="replace")))
        folder = os.path.join(g.home, ".config", SAVE_FOLDER)
        found = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
        check(found == [], "files written in the save folder: %s" % found)
    finally:
        g.stop()


def case_profiles_kept(exe):
    """Player files present at start are read, and a run that changed nothing writes none:
    the named current profile stays byte for byte, and no empty slot's file is made."""
    archive = archive_of(exe)
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    try:
        folder = os.path.join(config, SAVE_FOLDER)
        os.makedirs(folder)
        options = bytearray(default_options())
        options[0] = 1    # Klondike draws one
        options[15] = 0   # TriPeaks single-click off
        zed = profile_bytes("Zed", fresh=False, current=True, options=bytes(options))
        with open(os.path.join(folder, "player2.dat"), "wb") as f:
            f.write(zed)
        g = Game(exe, env_extra={"XDG_CONFIG_HOME": config})
        try:
            run_to_ready(g, archive)
            g.close_window()
            rc = g.wait_exit(15)
            check(rc == 0, "closing the window gave status %s" % rc)
        finally:
            g.stop()
        files = player_files(folder)
        check(read(files[2]) == zed, "player2.dat changed over a run")
        check(sorted(os.listdir(folder)) == ["player2.dat"],
              "files written by a run that changed nothing: %s" % sorted(os.listdir(folder)))
    finally:
        shutil.rmtree(config, ignore_errors=True)


def case_release_after_loading(exe):
    """A press while the images load, its release over the click-to-begin button once they
    have loaded: that first release leads on, though the button never saw the press."""
    archive = archive_of(exe)
    g = Game(exe, hooks=True)
    try:
        g.find_window()
        phases = Phases(g, archive)
        check(phases.watch("loading", 25), "the loading phase was not seen (seen: %s)" % sorted(phases.seen))
        over = ("413", "671")  # over the button's place
        g.x("xdotool", "mousemove", "--window", str(g.window), *over)
        g.x("xdotool", "mousedown", "1")
        check(phases.watch("ready", 25), "the click-to-begin button never showed (seen: %s)" % sorted(phases.seen))
        # Loading moved the pointer to the middle; it goes back over the button, still held.
        check(wait_for(lambda: g.pointer() == (512, 384), 10), "loading left the pointer at %s, not in the middle" % (g.pointer(),))
        g.x("xdotool", "mousemove", "--sync", "--window", str(g.window), *over)
        check(wait_for(lambda: g.pointer() == tuple(map(int, over)), 10), "the pointer did not go back over the button")
        # The game takes the move in a frame before the release comes.
        moved = g.frames()["frames"]
        check(wait_for(lambda: g.frames()["frames"] >= moved + 2, 10), "no frame was drawn after the move")
        g.x("xdotool", "mouseup", "1")
        name_screen = Picture(archive, "i/menu/continue_off.png", 313, 660)
        shot = None

        def name_screen_shown():
            nonlocal shot
            shot = g.look()  # the pointer off the continue button's place
            return name_screen.difference(shot) < 8
        shown = wait_for(name_screen_shown, 20)  # the fade to it is slow on a loaded machine
        keep(shot, "title_release_after_loading")
        check(shown, "the release after loading left the title where it was")
    finally:
        g.stop()


CASES = {
    "first_run": case_first_run,
    "release_after_loading": case_release_after_loading,
    "profiles_kept": case_profiles_kept,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
