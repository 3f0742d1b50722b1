#!/usr/bin/env python3
"""End-to-end checks of the first screens: the splash, then the title loading, then ready (as
the game reports them), the pulsing click-to-begin button, the drawn pointer at the mouse, and
the five player files read at start and written at the end.

The pictures are recognised by the archive's own images: the pixels that an image paints
fully opaque must show on screen with that image's colours."""

import os
import shutil
import struct
import sys
import tempfile

from harness import Game, Picture, Screens, archive_of, check, keep, main, until, wait_for

SAVE_FOLDER = os.path.join("Quorlan Games", "Lunerra Solitaire")
MAGIC = 0x8B901886


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

def pointer_shown(image, arrow, x, y):
    return arrow.at(x - 6, y - 6).difference(image) < 10


def run_to_ready(g, archive):
    """Splash, then the title loading behind its loading image, then the title ready, in that
    order, as the game reports them: the splash held for its 3 s of the game's clock. Once
    ready, the pointer is drawn in the middle of the canvas and the click-to-begin button
    pulses (seen at full strength and well below it)."""
    g.find_window()
    g.wait_screen("TitleScreen", "ready")
    splash, loading, ready = g.went_through((("SplashScreen", None), ("TitleScreen", "loading"),
                                             ("TitleScreen", "ready")))
    after_splash = [e for e in g.report()["history"] if e[2] > splash[2]][0]
    # Its first tick counts the frame before it too, which the history gives to the fade.
    held = after_splash[3] - splash[3]
    check(held >= 2800, "the splash was in front for %d ms of the game's clock, not 3 s" % held)
    arrow = Picture(archive, "i/menu/cursor_normal.png", 0, 0)
    shot = wait_for(lambda: (lambda s: s if pointer_shown(s, arrow, 512, 384) else None)(g.screenshot()))
    check(shot, "no pointer in the middle once loading ended")
    begin = Picture(archive, "i/menu/clicktobegin.png", 313, 651)
    full = g.wait_look(lambda s: begin.difference(s) < 8)
    check(full, "the click-to-begin button never showed at full strength")
    keep(full, "title_ready")
    check(g.wait_look(lambda s: begin.difference(s) > 20), "the click-to-begin button does not pulse")
    return ready


def case_first_run(exe):
    """With no player files: splash, title loading, click to begin, the pointer following the
    mouse (its click image while the left button is held); the click leads the fresh profile
    to the new-player screen; closing the window there writes no player file, as nothing
    was made."""
    archive = archive_of(exe)
    with Game(exe) as g:
        run_to_ready(g, archive)
        arrow = Picture(archive, "i/menu/cursor_normal.png", 0, 0)
        pressed = Picture(archive, "i/menu/cursor_click.png", 0, 0)
        g.move(200, 150)
        check(wait_for(lambda: pointer_shown(g.screenshot(), arrow, 200, 150)), "the pointer is not drawn at the mouse")
        g.mouse_down()
        shot = wait_for(lambda: (lambda s: s if pointer_shown(s, pressed, 200, 150) else None)(g.screenshot()))
        keep(g.last_shot, "title_pressed")
        check(shot, "no click image while the left button is held")
        g.mouse_up()
        g.wait_screen("NewPlayerScreen")
        Screens(g, archive).wait("new_player")

        g.close_window()
        rc = g.wait_exit()
        check(rc == 0, "closing the window gave status %s: %s" % (rc, g.err.decode(errors="replace")))
        folder = os.path.join(g.home, ".config", SAVE_FOLDER)
        found = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
        check(found == [], "files written in the save folder: %s" % found)


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
        with Game(exe, env_extra={"XDG_CONFIG_HOME": config}) as g:
            run_to_ready(g, archive)
            g.close_window()
            rc = g.wait_exit()
            check(rc == 0, "closing the window gave status %s" % rc)
        files = player_files(folder)
        check(read(files[2]) == zed, "player2.dat changed over a run")
        check(sorted(os.listdir(folder)) == ["player2.dat"],
              "files written by a run that changed nothing: %s" % sorted(os.listdir(folder)))
    finally:
        shutil.rmtree(config, ignore_errors=True)


def case_release_after_loading(exe):
    """A press before the images have loaded (on the splash, in the fade to the title or in
    the title's loading, which all pass it by), its release over the click-to-begin button
    once they have loaded: that first release leads on, though the button never saw the
    press. The press is sent while the game is frozen on the splash it has drawn (so the
    window is on the screen to take it: a press over no window of the game would take its
    release too), and it is read in the first frame after, before the title has loaded
    anything, however fast or slow the machine."""
    archive = archive_of(exe)
    with Game(exe) as g:
        g.find_window()
        until(lambda: (lambda r: r["screen"] == "SplashScreen" and r["painted"] > 0)(g.report()),
              "the splash was not drawn")
        over = (413, 671)  # over the button's place
        before = g.report()["buttons"]
        with g.frozen():
            g.mouse_down(*over)
        r = until(lambda: (lambda r: r if r["buttons"] > before else None)(g.report()), "the game did not read the press")
        title = [e for e in r["history"] if e[0] == "TitleScreen"]
        check(not title or (title[0][1] == "loading" and r["last_input"] <= title[0][2]),
              "the press was read at frame %d, after the title began loading (%s)" % (r["last_input"], title))
        g.wait_screen("TitleScreen", "ready")
        # Loading moved the pointer to the middle; it goes back over the button, still held.
        check(wait_for(lambda: g.pointer() == (512, 384)), "loading left the pointer at %s, not in the middle"
              % (g.pointer(),))
        g.move(*over, sync=True)
        check(wait_for(lambda: g.pointer() == over), "the pointer did not go back over the button")
        g.wait_frames(2)  # the game takes the move in a frame before the release comes
        g.mouse_up()
        g.wait_screen("NewPlayerScreen")
        keep(Screens(g, archive).wait("new_player"), "title_release_after_loading")


CASES = {
    "first_run": case_first_run,
    "release_after_loading": case_release_after_loading,
    "profiles_kept": case_profiles_kept,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
