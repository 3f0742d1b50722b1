#!/usr/bin/env python3
"""End-to-end checks of the game on a damaged or missing data archive. A copy of the
executable runs from a folder of its own beside data/q.dat, made from the build's archive
cut short, with members overwritten in place, or not there at all. An archive that lacks
members (missing, not a file, empty or cut) or holds a damaged header or member stops the
game before its window opens with status 1 and one message that names data/q.dat, what is
wrong, the first member lacking and what to do. Loose files at the members' dotted names
stand in for lacking or damaged members, and when those are damaged too the game runs and
ends with status 0 when its window is closed: never a crash, never a stop without a
message."""

import os
import random
import shutil
import signal
import sys
import tempfile

from game_test import close_and_expect_exit, is_picture, started, to_main_menu
from harness import GUARD, Failure, Game, archive_of, check, main
from klondike_test import Table

CRASHES = {-signal.SIGSEGV: "SIGSEGV", -signal.SIGBUS: "SIGBUS", -signal.SIGFPE: "SIGFPE",
           -signal.SIGILL: "SIGILL"}
# The archive's last member: the title's background.
LAST_MEMBER = "i/menu/title_bg.jpg"


class Layout:
    """A folder holding game/lunerra and, unless data is None, game/data/q.dat, with loose
    files (index name: bytes) at their dotted names in game/. The game finds its archive
    beside itself; nothing at ../share/lunerra stands in for it."""

    def __init__(self, exe, data, loose=None):
        self.folder = tempfile.mkdtemp(prefix="lunerra-e2e-archive-")
        game = os.path.join(self.folder, "game")
        os.makedirs(game)
        self.exe = os.path.join(game, "lunerra")
        self.data_dir = os.path.join(game, "data")
        shutil.copy2(exe, self.exe)
        if data is not None:
            os.makedirs(self.data_dir)
            with open(os.path.join(self.data_dir, "q.dat"), "wb") as f:
                f.write(data)
        for name, member in (loose or {}).items():
            path = os.path.join(game, "." + name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(member)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.folder, ignore_errors=True)


class Archive:
    """The build's archive and index, damaged in a copy."""

    def __init__(self, exe):
        qdat, self.rows = archive_of(exe)
        with open(qdat, "rb") as f:
            self.data = bytearray(f.read())
        offset, size = self.rows[LAST_MEMBER]
        check(len(self.data) == 16 + offset + size, "the archive does not end with %s" % LAST_MEMBER)
        self.damaged = set()

    def span(self, name):
        offset, size = self.rows[name]
        return 16 + offset, size

    def overwrite(self, name, fill, keep=0):
        """Replaces the member's bytes past keep: with zeros, or garbage for fill="garbage"."""
        start, size = self.span(name)
        n = size - keep
        self.damaged.add(name)
        rng = random.Random(name)
        self.data[start + keep:start + size] = bytes(n) if fill == "zeros" else rng.randbytes(n)

    def field(self, name, at, value):
        """Overwrites bytes of the member at a given place, e.g. one field of a header."""
        start, _ = self.span(name)
        self.damaged.add(name)
        self.data[start + at:start + at + len(value)] = value

    def flip(self, name, at, n):
        """Inverts n bytes of the member from a given place."""
        self.field(name, at, bytes(b ^ 0xFF for b in self.member(name)[at:at + n]))

    def member(self, name):
        start, size = self.span(name)
        return bytes(self.data[start:start + size])

    def damaged_loose(self):
        """The damaged members as loose files, as damaged as in the archive."""
        return {name: self.member(name) for name in self.damaged}


def crash_free(g, what):
    err = g.err.decode(errors="replace")
    rc = g.proc.returncode
    check(rc not in CRASHES, "%s: the game crashed with %s: %s" % (what, CRASHES.get(rc), err[-2000:]))
    for sign in ("ERROR: AddressSanitizer", "runtime error:", "Segmentation fault"):
        check(sign not in err, "%s: %s on stderr: %s" % (what, sign, err[-2000:]))
    return err


def explained(g, what, error):
    """The failure of a step, told by how the game ended when it has ended meanwhile."""
    if g.proc.poll() is None:
        return error
    rc = g.proc.returncode
    return Failure("%s: the game ended with %s (%s): %s"
                   % (what, CRASHES.get(rc, "status %s" % rc), error, g.finish_output()[-2000:]))


def expect_refusal(exe, data, wrong, what, prepare=None, first=None):
    """The game on this archive ends by itself with status 1 and says that data/q.dat is
    wrong (and how), which member it lacks first, and what to do. prepare, when given,
    changes the laid-out folder before the start."""
    with Layout(exe, data) as layout:
        if prepare:
            prepare(layout)
        with Game(layout.exe) as g:
            rc = g.wait_exit(GUARD)
            check(rc is not None, "%s: the game still runs after %d s" % (what, GUARD))
            err = crash_free(g, what)
            check(rc == 1, "%s: the game ended with status %s: %r" % (what, rc, err[-2000:]))
            for part in ("data/q.dat", wrong, "Reinstall the game, or rebuild it"):
                check(part in err, "%s: no %r in the message: %r" % (what, part, err[-2000:]))
            if first:
                check("(the first: %s)" % first in err, "%s: %s is not named: %r" % (what, first, err[-2000:]))
            check(err.count("lunerra:") == 1, "%s: more than one message: %r" % (what, err[-2000:]))


def case_missing(exe):
    """No data folder, an empty one, and a folder where the archive should be."""
    expect_refusal(exe, None, "is missing", "no data folder", first=".a/button_down.wav")
    expect_refusal(exe, None, "is missing", "an empty data folder", lambda layout: os.makedirs(layout.data_dir))
    expect_refusal(exe, None, "is not a file", "a folder as data/q.dat",
                   lambda layout: os.makedirs(os.path.join(layout.data_dir, "q.dat")))


def case_empty(exe):
    """A zero-length archive."""
    expect_refusal(exe, b"", "is empty", "empty archive")


def case_few_bytes(exe):
    """An archive cut inside its header and right after it."""
    a = Archive(exe)
    for cut in (7, 16):
        expect_refusal(exe, bytes(a.data[:cut]), "is cut short: it holds %d of its %d bytes" % (cut, len(a.data)),
                       "archive of %d bytes" % cut)


def case_middle(exe):
    """An archive cut in the middle: the sounds and music are whole, most images are gone."""
    a = Archive(exe)
    expect_refusal(exe, bytes(a.data[:len(a.data) // 2]), "is cut short", "archive cut in half")


def case_cut_before_last_image(exe):
    """Cut where the last member, the title's background, begins: it is the one named. A
    loose file at its dotted name stands in for it, and the game runs."""
    a = Archive(exe)
    start, size = a.span(LAST_MEMBER)
    expect_refusal(exe, bytes(a.data[:start]), "is cut short", "archive without its last member",
                   first="." + LAST_MEMBER)

    def loose_last(layout):
        loose = os.path.join(os.path.dirname(layout.exe), "." + LAST_MEMBER)
        os.makedirs(os.path.dirname(loose))
        with open(loose, "wb") as f:
            f.write(bytes(a.data[start:start + size]))
    with Layout(exe, bytes(a.data[:start])) as layout:
        loose_last(layout)
        g = started(layout.exe)
        try:
            g.wait_screen("TitleScreen", "ready")
            check(is_picture(g.look()), "loose last member: the title shows no picture")
            close_and_expect_exit(g)
            crash_free(g, "loose last member")
        except Failure as e:
            raise explained(g, "loose last member", e)
        finally:
            g.stop()


def case_cut_inside_last_image(exe):
    """Cut just short of the end, and half way into the last image: the title background
    is incomplete, so the game stops and names it."""
    a = Archive(exe)
    _, size = a.span(LAST_MEMBER)
    for cut in (len(a.data) - 1, len(a.data) - size // 2):
        expect_refusal(exe, bytes(a.data[:cut]), "is cut short", "archive cut at %d of %d" % (cut, len(a.data)),
                       first="." + LAST_MEMBER)


def case_damaged_in_place(exe):
    """An archive of the right length with bytes changed inside an image or the header: it
    is refused and the damaged member named."""
    def refused(damage, wrong, first=None):
        a = Archive(exe)
        damage(a)
        expect_refusal(exe, bytes(a.data), wrong, "damaged %s" % (first or "header"), first=first)

    def big_title(a):  # 65535 x 65535
        sof = a.member("i/menu/title_bg.jpg").index(b"\xff\xc0")
        a.field("i/menu/title_bg.jpg", sof + 5, b"\xff\xff\xff\xff")

    def zeroed_header(a):
        a.data[:16] = bytes(16)
    refused(lambda a: a.flip("i/menu/play_up.png", 200, 4), "is damaged: 1 of the game's", ".i/menu/play_up.png")
    refused(big_title, "is damaged", ".i/menu/title_bg.jpg")
    refused(zeroed_header, "is damaged: its first 16 bytes are not the header")


def case_damaged_sounds(exe):
    """Every sound and track overwritten in place: headers with a zero rate or channel
    count, zeros, garbage. Sounds are never read from loose files, so damaged loose copies
    beside the archive do not stand in: the game is refused, the first sound named."""
    a = Archive(exe)
    a.field("a/button_down.wav", 24, bytes(4))  # the rate
    a.field("a/button_over.wav", 22, bytes(2))  # the channels
    a.overwrite("a/flip0.wav", "zeros")
    a.overwrite("a/flip1.wav", "garbage")
    a.overwrite("a/menu.ogg", "zeros")
    a.overwrite("a/game-0.ogg", "garbage")
    a.overwrite("a/game-1.ogg", "zeros", keep=8192)
    a.overwrite("a/game-2.ogg", "garbage", keep=4)

    def loose(layout):
        for name, member in a.damaged_loose().items():
            path = os.path.join(os.path.dirname(layout.exe), "." + name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(member)
    expect_refusal(exe, bytes(a.data), "is damaged: 8 of the game's", "damaged sounds", loose,
                   first=".a/button_down.wav")


def case_damaged_images(exe):
    """The images of the first screens overwritten in place with zeros, with garbage, or
    past their header, and as damaged loose files: they are neither drawn nor hit. The title
    still leads on with a click, the name is typed and entered with Return, and the continue
    and Play buttons, whose images are all undecodable, do not react to clicks where they
    would be."""
    a = Archive(exe)
    a.overwrite("i/menu/splashlogo.png", "garbage")
    a.overwrite("i/menu/title_bg.jpg", "zeros")
    a.overwrite("i/menu/clicktobegin.png", "garbage")
    a.overwrite("i/menu/loading.png", "zeros", keep=64)
    a.overwrite("i/menu/newplayer_bg.jpg", "zeros")
    for state in ("up", "over", "down", "off"):
        a.overwrite("i/menu/continue_%s.png" % state, "zeros")
    a.overwrite("i/menu/menu_glow.png", "garbage")
    a.overwrite("i/menu/mainmenu_bg.jpg", "garbage", keep=600)
    for state in ("up", "over", "down"):
        a.overwrite("i/menu/play_%s.png" % state, "zeros")
    a.overwrite("i/menu/cursor_normal.png", "zeros")
    a.overwrite("i/menu/glyphs/menu_n.png", "garbage")
    with Layout(exe, bytes(a.data), a.damaged_loose()) as layout:
        g = started(layout.exe, hooks=True)
        try:
            def nothing_happens(places, at, what):
                """Clicks at the places lead nowhere: once the game has read them, after
                frames enough to have begun a fade, the screen at is still in front, and the
                history holds nothing new."""
                g.wait_screen(at)
                start = g.report()["frames"]
                g.reached(lambda: [g.click(x, y) for x, y in places], buttons=2 * len(places))
                g.wait_frames(100)
                r = g.report()
                check(r["screen"] == at and not [e for e in r["history"] if e[2] > start],
                      "%s led to %s" % (what, " ".join(e[0] for e in r["history"] if e[2] > start)))

            # The title takes the click once it has loaded every image and sound.
            g.wait_screen("TitleScreen", "ready")
            g.click(512, 400)
            g.wait_screen("NewPlayerScreen")
            # The typed name enables continue; where its undrawn button lies, hovering and
            # clicking do nothing, and Return leads on.
            g.key("a n n")
            nothing_happens(((512, 708), (400, 690), (512, 708)), "NewPlayerScreen",
                            "the undrawn continue button")
            g.press("Return", "NewPlayerScreen")
            nothing_happens(((512, 211), (450, 190), (512, 211)), "MainMenuScreen", "the undrawn Play button")
            check(g.proc.poll() is None, "the game ended on the main menu")
            close_and_expect_exit(g)
            crash_free(g, "damaged images")
        except Failure as e:
            raise explained(g, "damaged images", e)
        finally:
            g.stop()


def case_damaged_cards(exe):
    """Every card back zeroed, the clubs overwritten with garbage, the hearts past their
    header, the glow zeroed, in the archive and as loose files: a game of Klondike deals, and
    clicks, drags and double clicks on its undrawn cards leave it running and reporting its
    table."""
    a = Archive(exe)
    for name in a.rows:
        if name.startswith("i/game/cards/back") or name == "i/game/cards/glow.png":
            a.overwrite(name, "zeros")
        elif name.startswith("i/game/cards/c"):
            a.overwrite(name, "garbage")
        elif name.startswith("i/game/cards/h"):
            a.overwrite(name, "zeros", keep=64)
    with Layout(exe, bytes(a.data), a.damaged_loose()) as layout:
        g = started(layout.exe, hooks=True)
        try:
            table = Table(g)
            to_main_menu(g)
            g.wait_screen("MainMenuScreen")
            g.click(313 + 199, 163 + 48)
            g.wait_screen("ChooseGameScreen")
            g.click(20 + 77, 162 + 155)  # Klondike
            g.click(313 + 199, 670 + 48)
            if g.wait_screen(("HowToPlayScreen", "PlayScreen")) == "HowToPlayScreen":
                g.press("Escape", "HowToPlayScreen")  # the rules page that a new profile sees first
            b = table.idle()
            check(len(b.cards) == 52, "the deal has %d cards" % len(b.cards))
            stock = b.top("stock")
            for _ in range(3):
                g.click(*stock.centre())
                table.idle()
            tops = [b.top("tableau", p) for p in range(7)]
            for c, d in zip(tops, tops[1:]):
                g.drag(c.centre(), d.centre())
                g.double_click(*d.centre())
                table.idle()
            b = table.idle()
            check(len(b.cards) == 52, "the table has %d cards after play" % len(b.cards))
            close_and_expect_exit(g)
            crash_free(g, "damaged cards")
        except Failure as e:
            raise explained(g, "damaged cards", e)
        finally:
            g.stop()


CASES = {
    "missing": case_missing,
    "empty": case_empty,
    "few_bytes": case_few_bytes,
    "middle": case_middle,
    "cut_before_last_image": case_cut_before_last_image,
    "cut_inside_last_image": case_cut_inside_last_image,
    "damaged_in_place": case_damaged_in_place,
    "damaged_sounds": case_damaged_sounds,
    "damaged_images": case_damaged_images,
    "damaged_cards": case_damaged_cards,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
