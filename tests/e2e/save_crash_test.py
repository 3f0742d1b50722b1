#!/usr/bin/env python3
"""End-to-end checks that the record files survive a crash or a full disk while the game
saves them.

killed_while_saving: the game changes a record (another current player, or the music
volume while the window closes on the options screen) and is killed with SIGKILL at a
moment after the close request. Until the kill the process is frozen (SIGSTOP) again and
again, and every time the save folder must hold each record whole, old or new; the kill
lands at a planned moment while the save is under way (at its first, second and third
inspection). The next start must read the files: the profile is there and the change is
shown. LUNERRA_KILL_LOOPS=N kills N times at random delays and moments instead
(LUNERRA_KILL_SEED repeats a run).

killed_late_in_saving: the same, killed at the fourth and sixth inspection under way.

killed_after_closing: the same, the kills at planned delays after the close request (0, 10
and 20 ms): before, during or after the save.

Each case starts the game five times or fewer, so that it ends well within its limit on a
loaded machine.

full_disk: under a tiny file-size limit (as "ulimit -f" leaves it, SIGXFSZ at its default;
set once the game is on the options screen, so that every wait before is on its report)
the game still quits with status 0, each record file is as it was, no temporary stays, and
the next start reads them."""

import os
import random
import re
import resource
import shutil
import signal
import struct
import sys
import tempfile
import time

from harness import GUARD, Failure, check, main
from records_test import Session, options_bytes
from title_test import SAVE_FOLDER, archive_of, profile_bytes

PLAYERS = ["player%d.dat" % i for i in range(5)]
RECORDS = ["options.dat"] + PLAYERS + ["highscores.dat"]
TEMPORARY = re.compile(r"\.tmp\d+$")

ROW_Y = 186  # the choose-player marker of the first row; the rows lie 101 apart
ROW_PITCH = 101
MUSIC_Y = 286
# A click on the music track (x) -> the stored percentage -> where the knob then stands.
MUSIC_CLICKS = {350: (24, 348), 500: (78, 499)}
DEFAULT_MUSIC_KNOB = 448  # no options file: 59 %


def highscores_bytes():
    """A high-score file as the game writes it: six tables of ten rows of name and score."""
    def string(s):
        return struct.pack(">I", len(s) + 1) + s.encode() + b"\0" if s else struct.pack(">I", 0)
    out = struct.pack(">I", 0xA5743714)
    for t in range(6):
        for r in range(10):
            out += string("kept %d.%d" % (t, r)) + string(str(1000 - 10 * r))
    return out


def snapshot(folder):
    """{record: bytes or None} and the temporaries in the folder."""
    state = {}
    for name in RECORDS:
        try:
            with open(os.path.join(folder, name), "rb") as f:
                state[name] = f.read()
        except FileNotFoundError:
            state[name] = None
    temps = sorted(n for n in os.listdir(folder) if TEMPORARY.search(n))
    return state, temps


def describe(data, like=None):
    """A record for a message; against the bytes it should have, where they part."""
    if data is None:
        return "absent"
    if like is not None and len(like) == len(data):
        at = next((i for i in range(len(data)) if data[i] != like[i]), None)
        if at is not None:
            return "%d bytes, byte %d is %d, not %d" % (len(data), at, data[at], like[at])
    return "%d bytes %r..." % (len(data), data[:24])


def check_whole(state, old, new, when):
    for name in RECORDS:
        got = state[name]
        check(got == old[name] or got == new[name],
              "%s %s is neither the old record nor the new one: against the old %s; against the new %s"
              % (when, name, describe(got, old[name]), describe(got, new[name])))


class Ended(Exception):
    pass


def stop(pid):
    """Freezes the game and waits until its main thread stands still."""
    try:
        os.kill(pid, signal.SIGSTOP)
    except ProcessLookupError:
        raise Ended()
    end = time.monotonic() + GUARD
    while time.monotonic() < end:
        try:
            with open("/proc/%d/stat" % pid) as f:
                state = f.read().rsplit(")", 1)[1].split()[0]
        except (FileNotFoundError, ProcessLookupError):
            raise Ended()
        if state in "tT":
            return
        if state in "ZX":
            raise Ended()
    raise Failure("the game did not stop on SIGSTOP")


def close_and_kill(s, plan, old, new):
    """Closes the window, then freezes and inspects the game until the plan says kill:
    ("delay", ms) after the close request, or ("during", n) at the n-th inspection with
    the save under way; ("quit", None) never kills. Returns how it ended, the number of
    inspections, those with the save under way, and the records as the game left them.
    The times here are the case's own: the kills land at moments of the game's saving."""
    folder = s.folder
    changing = [n for n in RECORDS if old[n] != new[n]]
    pid = s.g.proc.pid
    s.g.close_window()
    t0 = time.monotonic()
    looks = during = 0
    outcome = "exited by itself"
    try:
        while s.g.proc.poll() is None:
            stop(pid)
            state, temps = snapshot(folder)
            looks += 1
            check_whole(state, old, new, "%.1f ms after the close request," % (1000 * (time.monotonic() - t0)))
            done = [n for n in changing if state[n] == new[n]]
            own = [t for t in temps if t.endswith(".tmp%d" % pid)]
            under_way = bool(own) or 0 < len(done) < len(changing)
            during += under_way
            kind, value = plan
            if (kind == "delay" and time.monotonic() - t0 >= value / 1000.0) or \
                    (kind == "during" and under_way and during >= value):
                os.kill(pid, signal.SIGKILL)
                if under_way:
                    outcome = "killed during the save (%d of %d changed records new, temporary %s)" \
                              % (len(done), len(changing), own)
                elif len(done) == len(changing) and changing:
                    outcome = "killed after the save"
                else:
                    outcome = "killed before the save"
                break
            os.kill(pid, signal.SIGCONT)
            # The game runs 0.2 ms between two inspections (spun: a sleep would last far longer).
            spin = time.monotonic() + 0.0002
            while time.monotonic() < spin:
                pass
    except Ended:
        pass
    s.g.proc.wait()
    s.g.finish_output()
    if outcome == "exited by itself":
        check(s.g.proc.returncode == 0, "the game ended with status %s: %s"
              % (s.g.proc.returncode, s.g.err.decode(errors="replace")[-2000:]))
    state, temps = snapshot(folder)
    check_whole(state, old, new, "after the game ended,")
    return outcome, looks, during, state


def flagged_row(state):
    """The lowest slot whose file flags it current, or None. A kill between two player
    files may leave two flagged, or none."""
    for i, name in enumerate(PLAYERS[:2]):
        data = state[name]
        n = struct.unpack(">I", data[8:12])[0]
        if data[12 + n + 12 + 1]:
            return i
    return None


def current_row(state):
    """The slot the game makes current: the lowest flagged one, else the first."""
    row = flagged_row(state)
    return 0 if row is None else row


def stored_music(state):
    data = state["options.dat"]
    return None if data is None else struct.unpack(">I", data[9:13])[0]


def profiles(current):
    """player0 "ann" and player1 "bea", the one of row `current` flagged current, the
    other slots without a file."""
    out = {name: None for name in PLAYERS}
    out["player0.dat"] = profile_bytes("ann", fresh=False, current=current == 0)
    out["player1.dat"] = profile_bytes("bea", fresh=False, current=current == 1)
    return out


def marker_on(s, row, what):
    s.sees("i/menu/checkbox.png", 64, ROW_Y + ROW_PITCH * row, what)


def switch_player(s, state):
    """On the choose-player screen: the current row is the one the files name; the other
    row is chosen. Returns the records the game should then save."""
    s.g.click(512, 720)
    s.wait("choose_player")
    row = current_row(state)
    marker_on(s, row, "the files make row %d current but the marker is not there" % row)
    other = 1 - row
    s.g.click(100, ROW_Y + 14 + ROW_PITCH * other)
    marker_on(s, other, "choosing row %d did not move the marker" % other)
    new = dict(state)
    new.update(profiles(other))
    return new


def change_music(s, state):
    """On the options screen: the knob stands where the file says; a click on the track
    moves it, and the window closes there. Returns the records the game should then save."""
    s.click_image("i/menu/options_up.png", 313, 265)
    s.wait("options")
    music = stored_music(state)
    knob = DEFAULT_MUSIC_KNOB
    for x, (percent, at) in MUSIC_CLICKS.items():
        if percent == music:
            knob = at
    s.sees("i/menu/slider.png", knob, MUSIC_Y, "the music knob is not at %d for %s %%" % (knob, music))
    x = 500 if music == MUSIC_CLICKS[350][0] else 350
    s.g.click(x, MUSIC_Y + 14)
    s.sees("i/menu/slider.png", x, MUSIC_Y, "the knob did not jump to %d" % x)
    new = dict(state)
    new["options.dat"] = options_bytes(0, 79, MUSIC_CLICKS[x][0], 100)
    # The player files stay as they are: nothing in them changed.
    return new


def prepare(exe, archive, config):
    """A first run: "ann" named at the first start, "bea" created and made current, quit.
    A high-score file lies beside them and is never rewritten at quit."""
    folder = os.path.join(config, SAVE_FOLDER)
    s = Session(exe, archive, config)
    try:
        s.start("ann")
        s.create_second("bea")
        marker_on(s, 1, "the new player bea is not current")
        s.close()
    finally:
        s.g.stop()
    with open(os.path.join(folder, "highscores.dat"), "wb") as f:
        f.write(highscores_bytes())
    state, temps = snapshot(folder)
    expected = dict(profiles(1), **{"options.dat": None, "highscores.dat": highscores_bytes()})
    for name in RECORDS:
        check(state[name] == expected[name],
              "after the first run %s is %s" % (name, describe(state[name], expected[name])))
    check(not temps, "temporaries after a clean quit: %s" % temps)
    return folder, state


QUIT = ("quit", None)  # the game quits by itself


def kill_plans():
    loops = os.environ.get("LUNERRA_KILL_LOOPS")
    if not loops:
        return [("during", 1), ("during", 2), ("during", 3)]
    seed = int(os.environ.get("LUNERRA_KILL_SEED") or time.time())
    print("LUNERRA_KILL_SEED=%d" % seed)
    rnd = random.Random(seed)
    return [("delay", rnd.choice([0, 5, 10, 15, 20, 30, 60, 150, 300])) if rnd.random() < 0.4
            else ("during", rnd.randint(1, 8)) for _ in range(int(loops))]


def case_killed_while_saving(exe):
    killed_and_started_again(exe, kill_plans(), must_land=True)


def case_killed_late_in_saving(exe):
    killed_and_started_again(exe, [("during", 4), ("during", 6)], must_land=False)


def case_killed_after_closing(exe):
    killed_and_started_again(exe, [("delay", 0), ("delay", 10), ("delay", 20)], must_land=False)


def killed_and_started_again(exe, kills, must_land):
    archive = archive_of(exe)
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    t_start = time.monotonic()
    try:
        folder, state = prepare(exe, archive, config)
        # The last run quits on the options screen: it saves every record but the high
        # scores, and so removes what the killed runs left.
        plans = kills + [QUIT]
        killed = landed = 0
        for k, plan in enumerate(plans):
            s = Session(exe, archive, config)
            try:
                # The start reads what the last kill left: the profile is there.
                s.start()
                music = k % 2 == 1 or plan is QUIT
                new = change_music(s, state) if music else switch_player(s, state)
                outcome, looks, during, state = close_and_kill(s, plan, state, new)
            finally:
                s.g.stop()
            killed += outcome.startswith("killed")
            landed += outcome.startswith("killed during")
            print("run %d %s: %s; %d inspections, %d while saving" % (k + 1, plan, outcome, looks, during))
        check(outcome == "exited by itself", "the last run did not quit by itself")
        for name in RECORDS:
            check(state[name] == new[name],
                  "after a clean quit %s is %s" % (name, describe(state[name], new[name])))
        _, temps = snapshot(folder)
        check(not temps, "temporaries of killed runs stay in the save folder: %s" % temps)
        check(landed > 0 or not must_land, "no kill landed while the game was saving")
        print("%d kills, %d during the save, %.0f s" % (killed, landed, time.monotonic() - t_start))
    finally:
        shutil.rmtree(config, ignore_errors=True)


def case_full_disk(exe):
    archive = archive_of(exe)
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    try:
        folder = os.path.join(config, SAVE_FOLDER)
        s = Session(exe, archive, config)
        try:
            s.start("ann")
            s.click_image("i/menu/options_up.png", 313, 265)
            s.wait("options")
            s.g.click(350, MUSIC_Y + 14)
            s.sees("i/menu/slider.png", 350, MUSIC_Y, "the knob did not jump to 350")
            s.close()
        finally:
            s.g.stop()
        old, _ = snapshot(folder)
        check(old["options.dat"] == options_bytes(0, 79, 24, 100), "options.dat is %s" % describe(old["options.dat"]))
        ann = profile_bytes("ann", fresh=False, current=False)  # named at the first start: no slot is flagged
        check(old["player0.dat"] == ann, "player0.dat is %s" % describe(old["player0.dat"], ann))

        # Over SDL 2 the picture goes through Mesa, whose shader cache under ~/.cache would
        # meet the limit: it is switched off, the game's own files stay limited.
        s = Session(exe, archive, config, env={"MESA_SHADER_CACHE_DISABLE": "true"})
        try:
            s.start()
            s.click_image("i/menu/options_up.png", 313, 265)
            s.wait("options")
            s.g.click(500, MUSIC_Y + 14)
            s.sees("i/menu/slider.png", 500, MUSIC_Y, "the knob did not jump to 500")
            # Every record is larger than the limit, set from here on as "ulimit -f" at the
            # start would; no frame report is asked for after it (it would meet the limit).
            resource.prlimit(s.g.proc.pid, resource.RLIMIT_FSIZE, (16, 16))
            s.g.close_window()
            rc = s.g.wait_exit(GUARD)
            err = s.g.err.decode(errors="replace")
            check(rc == 0, "quitting with a full disk gave status %s: %s" % (rc, err[-2000:]))
            told = "%s was not saved (File too large)\n" % os.path.join(folder, "options.dat")
            check(err.count(told) == 1, "the failed save is not told once: %r" % err[-2000:])
        finally:
            s.g.stop()
        state, temps = snapshot(folder)
        for name in RECORDS:
            check(state[name] == old[name], "after a save on a full disk %s is %s, was %s"
                  % (name, describe(state[name]), describe(old[name])))
        check(not temps, "temporaries left by the failed saves: %s" % temps)

        s = Session(exe, archive, config)
        try:
            s.start()
            s.click_image("i/menu/options_up.png", 313, 265)
            s.wait("options")
            s.sees("i/menu/slider.png", MUSIC_CLICKS[350][1], MUSIC_Y, "the next start does not show the old music volume")
            s.close()
        finally:
            s.g.stop()
    finally:
        shutil.rmtree(config, ignore_errors=True)


CASES = {
    "killed_while_saving": case_killed_while_saving,
    "killed_late_in_saving": case_killed_late_in_saving,
    "killed_after_closing": case_killed_after_closing,
    "full_disk": case_full_disk,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
