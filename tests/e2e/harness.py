"""Runs the real game under an X server and looks at its window.

Each run gets a fresh temporary HOME and the dummy audio driver. Each test process starts
its own Xvfb (a free display number picked by the server, its own cookie) and stops it on
every way out; tests therefore run side by side. LUNERRA_E2E_DISPLAY names an existing
display to use instead (with XAUTHORITY); tests that share it take turns. Without Xvfb and
without that variable the test is skipped (exit 77) unless LUNERRA_E2E_REQUIRED=1.

Every wait is on what the game reports: the frame report (Game.report: frames, the game's
clock, the video mode, the front screen and the history of front screens and phases) and the
test hooks' board. A wall-clock limit (GUARD) only stops a wait that would hang, and the case
as a whole ends by its own deadline before CTest's (LUNERRA_E2E_TIMEOUT, set by CTest), as a
failure that keeps its screenshot. The cases look at a screen with the pointer parked where it
lights nothing (Game.look), only once the game reports it steady in front, recognise it by the
archive's own images (Picture, Screens), and type a key only to a screen they have recognised
(Game.press). With LUNERRA_E2E_OUT naming a folder, a case that fails leaves there its last
screenshot and the game's stderr, named after the case; LUNERRA_E2E_STEPS=1 keeps the
screenshot of every step besides.
"""

import atexit
import ctypes
import ctypes.util
import fcntl
import os
import re
import secrets
import select
import shutil
import signal
import stat
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zlib

SKIP = 77
TITLE = "Quorlan Games - Lunerra Solitaire!"
NEUTRAL = (5, 600)  # a place of the 1024x768 picture over no widget of any screen
POINTER_COMMANDS = ("mousemove", "click", "mousedown", "mouseup")
# The longest any one wait may take before it counts as hung: far above what a machine loaded
# three times over needs; the case's own deadline bounds the whole.
GUARD = 120
FADES = ("FadeToBlackOverlay", "FadeFromBlackOverlay")


class Failure(Exception):
    pass


def check(cond, message):
    if not cond:
        raise Failure(message)


_server = None
_games = []  # every game this process started, the newest last
_failed_shot = None  # (game, screenshot) taken as a failure unwound past the game


def case_name():
    """The case as CTest names it: e2e.<group>.<case> (game_test's cases have no group)."""
    script = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    group = {"game_test": "", "save_crash_test": "save"}.get(script, script.replace("_test", ""))
    case = sys.argv[1] if len(sys.argv) > 1 else "unknown"
    return "e2e." + (group + "." if group else "") + case


def keep(image, name):
    """A step's screenshot, kept in LUNERRA_E2E_OUT only with LUNERRA_E2E_STEPS=1."""
    out = os.environ.get("LUNERRA_E2E_OUT")
    if out and image is not None and os.environ.get("LUNERRA_E2E_STEPS") == "1":
        os.makedirs(out, exist_ok=True)
        image.save_png(os.path.join(out, "%s.%s.png" % (case_name(), name)))


def keep_failure():
    """For a failed case, in LUNERRA_E2E_OUT: the last screenshot of the game it drove (one
    taken as the failure unwound, else the last one it looked at) and that game's stderr.
    The paths kept."""
    out = os.environ.get("LUNERRA_E2E_OUT")
    if not out:
        return []
    os.makedirs(out, exist_ok=True)
    base = os.path.join(out, case_name())
    kept = []
    game, shot = _failed_shot if _failed_shot else (None, None)
    if shot is None:
        looked = [g for g in _games if g.last_shot is not None]
        if looked:
            game = max(looked, key=lambda g: g.last_shot_at)
            shot = game.last_shot
    game = game or (_games[-1] if _games else None)
    if shot is not None:
        try:
            shot.save_png(base + ".png")
            kept.append(base + ".png")
        except (Failure, OSError, struct.error) as e:
            print("the screenshot could not be kept: %s" % e)
    if game is not None and game.err:
        with open(base + ".stderr.txt", "wb") as f:
            f.write(game.err[-65536:])
        kept.append(base + ".stderr.txt")
    return kept


def display():
    """The X display for this test's games: started on first use, kept for the process."""
    global _server
    if _server is None:
        shared = os.environ.get("LUNERRA_E2E_DISPLAY")
        if shared:
            _server = SharedDisplay(shared)
        elif shutil.which("Xvfb") and shutil.which("xauth"):
            _server = PrivateDisplay()
        else:
            if os.environ.get("LUNERRA_E2E_REQUIRED") == "1":
                raise Failure("no Xvfb (or xauth) for the e2e tests")
            print("no Xvfb and no LUNERRA_E2E_DISPLAY: skipped")
            sys.exit(SKIP)
    return _server.name


def _libc():
    return ctypes.CDLL(ctypes.util.find_library("c") or "libc.so.6", use_errno=True)


def _die_with_parent():
    """In a child before exec: SIGKILL when the test process ends, even by SIGKILL
    (a CTest timeout), so no server outlives its test."""
    parent = os.getppid()
    _libc().prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    if os.getppid() != parent:
        os._exit(1)


def _exit_on_signal(signum, _frame):
    sys.exit(128 + signum)  # unwinds: the games are stopped, then the server (atexit)


class PrivateDisplay:
    """An Xvfb of this process's own: the server picks a free display number itself
    (-displayfd, atomic against other servers on the machine) and accepts only clients that
    hold the cookie in this process's own authority file."""

    def __init__(self, timeout=60):
        self.proc = None
        fd, self.auth = tempfile.mkstemp(prefix="lunerra-e2e-xauth-")
        os.close(fd)
        self.log = tempfile.TemporaryFile()
        atexit.register(self.stop)
        for s in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(s, _exit_on_signal)
        self.cookie = secrets.token_hex(16)
        # The server takes every cookie in the file, whatever display the entry names; the
        # clients' entry for the real number is added once the server has chosen it.
        self.xauth("add", ":0", ".", self.cookie)
        ready_r, ready_w = os.pipe()
        try:
            # No key auto-repeat: a loaded machine can hold a typed key long enough to
            # repeat it. No reset when the last client leaves: a server that is resetting
            # refuses the next game's connection.
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(ready_w), "-auth", self.auth,
                 "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset", "-ardelay", "60000"],
                pass_fds=(ready_w,), stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                preexec_fn=_die_with_parent)
            os.close(ready_w)
            ready_w = -1
            number = b""
            end = time.monotonic() + timeout
            while not number.endswith(b"\n"):
                left = end - time.monotonic()
                if left <= 0 or not select.select([ready_r], [], [], left)[0]:
                    raise Failure("Xvfb did not report its display within %d s%s" % (timeout, self.output()))
                chunk = os.read(ready_r, 16)
                if not chunk:
                    raise Failure("Xvfb ended before it was ready (status %s)%s"
                                  % (self.proc.poll(), self.output()))
                number += chunk
        finally:
            os.close(ready_r)
            if ready_w >= 0:
                os.close(ready_w)
        self.name = ":%d" % int(number)
        self.xauth("add", self.name, ".", self.cookie)
        os.environ["XAUTHORITY"] = self.auth  # the tools and this process's own Xlib calls

    def xauth(self, *args):
        r = subprocess.run(["xauth", "-q", "-f", self.auth, *args], capture_output=True, timeout=30)
        if r.returncode != 0:
            raise Failure("xauth %s failed: %s" % (args[0], r.stderr.decode(errors="replace")))

    def output(self):
        self.log.seek(0)
        text = self.log.read().decode(errors="replace").strip()
        return (": " + text[-1500:]) if text else ""

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None
        try:
            os.remove(self.auth)
        except OSError:
            pass


class SharedDisplay:
    """A display named by LUNERRA_E2E_DISPLAY: the test processes that share it take turns,
    so that no two games fight over the input focus."""

    def __init__(self, name):
        self.name = name
        lock = os.path.join(tempfile.gettempdir(), "lunerra-e2e-display-%s.lock"
                            % name.replace("/", "_").replace(":", "_"))
        self.lock = open(lock, "a")
        fcntl.flock(self.lock, fcntl.LOCK_EX)


def wait_for(pred, timeout=GUARD, step=0.05):
    """pred()'s first true value, polled every step; its last value after timeout (a guard
    against a hang, not a budget: the things waited for are the game's own)."""
    end = time.monotonic() + timeout
    while True:
        value = pred()
        if value:
            return value
        if time.monotonic() > end:
            return value
        time.sleep(step)


def until(pred, what, timeout=GUARD, step=0.05):
    """pred()'s first true value; a failure naming what did not happen otherwise."""
    value = wait_for(pred, timeout, step)
    check(value, "%s (not within %d s)" % (what, timeout))
    return value


class Deadline(Failure):
    pass


def _deadline_passed(_signum, _frame):
    raise Deadline("the case did not end within its deadline of %d s (CTest's limit is %s s)"
                   % (_deadline_s, os.environ.get("LUNERRA_E2E_TIMEOUT")))


_deadline_s = 0


def set_deadline():
    """A case ends as a failure some time before CTest would kill it, so that its screenshot
    and the game's stderr are kept as for any other failure."""
    global _deadline_s
    try:
        limit = int(os.environ.get("LUNERRA_E2E_TIMEOUT", "0"))
    except ValueError:
        limit = 0
    if limit > 0:
        _deadline_s = max(limit - max(20, limit // 10), limit // 2)
        signal.signal(signal.SIGALRM, _deadline_passed)
        signal.alarm(_deadline_s)


def _tree(root):
    """What lies below root: (relative path, mode, the bytes of a file or a link's target),
    each folder before what it holds."""
    items = []
    for folder, dirs, files in os.walk(root):
        for name in sorted(dirs) + sorted(files):
            path = os.path.join(folder, name)
            st = os.lstat(path)
            data = None
            if stat.S_ISLNK(st.st_mode):
                data = os.readlink(path)
            elif stat.S_ISREG(st.st_mode):
                hidden = not os.access(path, os.R_OK)  # not root: read as its owner
                if hidden:
                    os.chmod(path, stat.S_IRUSR)
                with open(path, "rb") as f:
                    data = f.read()
                if hidden:
                    os.chmod(path, stat.S_IMODE(st.st_mode))
            items.append((os.path.relpath(path, root), st.st_mode, data))
    return items


def _lay(root, items):
    """root made to hold what _tree found there, and nothing else."""
    for name in os.listdir(root):
        path = os.path.join(root, name)
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
    for rel, mode, data in items:
        path = os.path.join(root, rel)
        if stat.S_ISDIR(mode):
            os.mkdir(path)
        elif stat.S_ISLNK(mode):
            os.symlink(data, path)
        elif stat.S_ISFIFO(mode):
            os.mkfifo(path)
        elif stat.S_ISREG(mode):
            with open(path, "wb") as f:
                f.write(data)
    for rel, mode, _ in reversed(items):  # the modes last, folders after what they hold
        if not stat.S_ISLNK(mode) and (stat.S_ISDIR(mode) or stat.S_ISFIFO(mode) or stat.S_ISREG(mode)):
            os.chmod(os.path.join(root, rel), stat.S_IMODE(mode))


class Game:
    """One run of the game executable."""

    def __init__(self, exe, args=(), cwd=None, env_extra=None, disp=None, hooks=True):
        self.home = tempfile.mkdtemp(prefix="lunerra-e2e-home-")
        # The test hooks' folder: the frame report and the play screen's board (one the case
        # names itself, or one of the run's own).
        self.hooks = self.env_given_hooks = (env_extra or {}).get("LUNERRA_TEST_HOOKS")
        if hooks and not self.hooks:
            self.hooks = tempfile.mkdtemp(prefix="lunerra-e2e-hooks-")
            env_extra = dict(env_extra or {}, LUNERRA_TEST_HOOKS=self.hooks)
        self.display = disp or display()
        env = dict(os.environ)
        for k in ("XDG_CONFIG_HOME", "SDL_VIDEODRIVER"):
            env.pop(k, None)
        env.update({"HOME": self.home, "SDL_AUDIODRIVER": "dummy", "DISPLAY": self.display})
        if env_extra:
            env.update(env_extra)
        self.env = env
        self.argv = [exe, *args]
        self.cwd = cwd or self.home
        self.parked = False  # the pointer rests at NEUTRAL
        self.last_size = None
        self.last_shot, self.last_shot_at = None, 0.0
        # What the folders the game may write in held before its first start, so that a
        # start made again finds them as that one did.
        self.laid = [(path, _tree(path)) for path in (self.home, env.get("XDG_CONFIG_HOME"), self.hooks) if path]
        self.spawn()
        self.window = None
        self.out = b""
        self.err = b""
        _games.append(self)

    def x(self, *cmd, check_rc=True):
        if cmd[0] == "xdotool" and len(cmd) > 1 and cmd[1] in POINTER_COMMANDS:
            self.parked = False
        r = subprocess.run(list(cmd), env=self.env, capture_output=True, timeout=20)
        if check_rc and r.returncode != 0:
            raise Failure("%s failed: %s" % (cmd[0], r.stderr.decode(errors="replace")))
        return r.stdout.decode(errors="replace")

    def spawn(self):
        self.proc = subprocess.Popen(self.argv, cwd=self.cwd, env=self.env, preexec_fn=_die_with_parent,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def find_window(self, timeout=20, attempts=4):
        # The media layer's X11 driver now and then leaves the window without its name
        # (a race with its audio thread), and on a busy machine a connection to the
        # server can be refused: such a start is killed and made again with the same HOME.
        # Nothing of it stays: not its output, not what it left in its folders.
        for attempt in range(attempts):
            try:
                return self.find_window_once(timeout if attempt == attempts - 1 else 8)
            except Failure as e:
                transient = "no window titled" in str(e) or "open X11 display" in str(e)
                if not transient or attempt == attempts - 1:
                    raise
                self.proc.kill()
                self.proc.wait()
                self.proc.stdout.close()
                self.proc.stderr.close()
                self.out = self.err = b""
                for path, tree in self.laid:
                    _lay(path, tree)
                time.sleep(1 + 2 * attempt)  # a server that just refused a connection
                self.spawn()

    def find_window_once(self, timeout):
        def search():
            if self.proc.poll() is not None:
                raise Failure("the game ended before its window appeared (status %s): %s"
                              % (self.proc.returncode, self.finish_output()))
            r = subprocess.run(["xdotool", "search", "--name", "^%s$" % TITLE.replace("!", ".")],
                               env=self.env, capture_output=True)
            ids = r.stdout.split()
            return int(ids[-1]) if ids else None
        self.window = wait_for(search, timeout, 0.1)
        check(self.window, "no window titled %r appeared; %s" % (TITLE, self.diagnosis()))
        return self.window

    def diagnosis(self):
        """What the X server and the process look like, for a failure message."""
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True)
        names = [l.strip() for l in tree.stdout.decode(errors="replace").splitlines() if '"' in l]
        try:
            with open("/proc/%d/wchan" % self.proc.pid) as f:
                wchan = f.read()
        except OSError:
            wchan = "?"
        props = ""
        r = subprocess.run(["xdotool", "search", "--class", "lunerra"], env=self.env, capture_output=True)
        for wid in r.stdout.split()[:2]:
            p = subprocess.run(["xprop", "-id", wid.decode()], env=self.env, capture_output=True)
            props += " | %s: %s" % (wid.decode(), " ; ".join(
                l for l in p.stdout.decode(errors="replace").splitlines() if "NAME" in l or "CLASS" in l))
        return "top-level windows %s; process waits in %s%s" % (names[:8], wchan, props)

    def on_window(self, act):
        """act(the window's id, as text): every request that names the game's window goes
        through here. Where that window is gone (the SDL 1.2 over SDL 2 may make a new one
        when it sets a video mode), act is made again against the new one; so each act is
        one request that did nothing when it failed, and input that names no window (keys,
        buttons) is sent after it, once."""
        for attempt in range(3):
            try:
                return act(str(self.window))
            except Failure as e:
                if not ("BadWindow" in str(e) or "No such window" in str(e)) or attempt == 2:
                    raise
                self.find_window_once(10)

    def title(self):
        return self.on_window(lambda w: self.x("xdotool", "getwindowname", w).strip())

    def window_info(self):
        """xwininfo's lines on the game's window."""
        return self.on_window(lambda w: self.x("xwininfo", "-id", w))

    def size(self):
        info = self.window_info()
        w = h = None
        for line in info.splitlines():
            line = line.strip()
            if line.startswith("Width:"):
                w = int(line.split()[1])
            elif line.startswith("Height:"):
                h = int(line.split()[1])
        if (w, h) != self.last_size:  # a parked pointer lies elsewhere in a new mode's picture
            self.parked = False
            self.last_size = (w, h)
        return w, h

    def pointer(self):
        """Where the pointer is, in the window's own coordinates."""
        info = self.window_info()
        corner = [int(l.split()[-1]) for l in info.splitlines() if l.strip().startswith("Absolute upper-left")]
        at = dict(f.split("=", 1) for f in self.x("xdotool", "getmouselocation", "--shell").split())
        return int(at["X"]) - corner[0], int(at["Y"]) - corner[1]

    def wait_size(self, size, timeout=GUARD):
        return wait_for(lambda: self.size() == size, timeout, 0.1)

    def key(self, keys):
        """Types keys (one argument: a key or keys apart by spaces) into the window through
        the server's test extension, as a keyboard would; the window gets the focus first.
        The keys name no window and are typed once: were the window made anew after the
        focus, they reach no window of the game (Game.press types again what a screen did
        not take)."""
        self.on_window(lambda w: self.x("xdotool", "windowfocus", w))
        self.x("xdotool", "key", *keys.split())

    def move(self, x, y, sync=False):
        """The pointer to a place in the window's own coordinates; with sync, once the server
        has it there."""
        self.on_window(lambda w: self.x("xdotool", "mousemove", *(["--sync"] if sync else []),
                                        "--window", w, str(int(x)), str(int(y))))

    def mouse_down(self, x=None, y=None):
        """The left button pressed, at a place of the window if one is given."""
        if x is not None:
            self.move(x, y)
        self.x("xdotool", "mousedown", "1")

    def mouse_up(self, x=None, y=None):
        """The left button released, at a place of the window if one is given."""
        if x is not None:
            self.move(x, y)
        self.x("xdotool", "mouseup", "1")

    def click(self, x, y):
        """A click at a place of the window: the server hands the game the motion before the
        press, in order."""
        self.move(x, y)
        self.x("xdotool", "click", "1")

    def double_click(self, x, y):
        """Two clicks 120 ms apart, sent while the game is stopped: it times a double click
        by the frames that read the presses, which a loaded machine could put more than its
        400 ms apart; so it reads both in one frame."""
        self.move(x, y)
        with self.frozen():
            self.x("xdotool", "click", "--repeat", "2", "--delay", "120", "1")

    def drag(self, start, end, steps=10):
        """Press at start, move in steps, release at end; the game reads the press, and the
        last motion, in frames of their own before what comes next."""
        self.mouse_down(*start)
        self.wait_frames(2)
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i / steps, start[1] + (end[1] - start[1]) * i / steps)
        self.wait_frames(2)
        self.mouse_up()

    def reached(self, act, keys=0, buttons=0):
        """act(), then until the game has read as many more key and button events (a key
        typed or a click is two: press and release): the input reached the game, and a row
        that counts frames after it counts them from there."""
        before = self.report()
        act()
        until(lambda: (lambda r: r["keys"] >= before["keys"] + keys and r["buttons"] >= before["buttons"] + buttons)(
            self.report()), "the game did not read the %d key and %d button events" % (keys, buttons))

    def frozen(self):
        """A context in which the game is stopped (SIGSTOP): input sent then waits in its
        queue and is read, whole, in its first frame after."""
        return _Frozen(self)

    def park(self):
        """The pointer at NEUTRAL (scaled to the window), where it lights no button, unless it
        rests there already."""
        if self.parked:
            return
        w, h = self.size()
        self.move(NEUTRAL[0] * (w or 1024) // 1024, NEUTRAL[1] * (h or 768) // 768)
        self.parked = True

    def look(self):
        """A screenshot with the pointer parked: a button it lit goes out before a picture is
        compared (a lit one differs; a check that comes late would see it lit)."""
        self.park()
        return self.screenshot()

    def wait_look(self, pred, timeout=GUARD, step=0.1, parked=True):
        """The first screenshot, pointer parked (or left where it is), taken once the game
        reports a screen steady in front (as wait_steady: no fade, there for two frames), for
        which pred holds; None after timeout."""
        def steady_look():
            if not self.steady():
                return None
            shot = self.look() if parked else self.screenshot()
            return shot if pred(shot) else None
        return wait_for(steady_look, timeout, step)

    def screen(self):
        """The class of the front screen; a fade in front swallows input."""
        return self.report()["screen"]

    def wait_screen(self, names, phase=None, timeout=GUARD):
        """The front screen once it is one of names (a name or a tuple of them), in the given
        phase if one is named, and steady: in front for two frames or more, so that it has
        drawn itself whole and read input."""
        names = (names,) if isinstance(names, str) else tuple(names)

        def steady():
            r = self.report()
            ok = r["screen"] in names and (phase is None or r["phase"] == phase) and r["frames"] >= r["since"] + 2
            return r["screen"] if ok else None
        found = wait_for(steady, timeout, 0.05)
        check(found, "no %s%s in front within %d s (at %s)"
              % (" or ".join(names), " (%s)" % phase if phase else "", timeout, self.screen()))
        return found

    def steady(self):
        """The front screen if no fade is in front and it has been there two frames, else None."""
        r = self.report()
        return r["screen"] if r["screen"] not in FADES and r["frames"] >= r["since"] + 2 else None

    def wait_steady(self, timeout=GUARD):
        """The front screen once it is steady."""
        return until(self.steady, "no screen came steady in front (at %s)" % self.screen(), timeout)

    def wait_frames(self, n, timeout=GUARD):
        """Until the game has run n frames more than now."""
        start = self.report()["frames"]
        until(lambda: self.report()["frames"] >= start + n, "the game did not run %d frames" % n, timeout)

    def let_game_run(self, ms, timeout=GUARD):
        """Until the game's own clock has gone on by ms (a dialog that ignores its first
        500 ms, say, opened before now, takes input after that)."""
        start = self.report()["ms"]
        until(lambda: self.report()["ms"] >= start + ms, "the game's clock did not go on by %d ms" % ms, timeout)

    def wait_quiet(self, frames=50, timeout=GUARD):
        """Until the window has not been repainted for that many frames: the fades and the
        buttons' glow have died away."""
        until(lambda: (lambda r: r["frames"] - r["last_painted"] >= frames)(self.report()),
              "the window was still repainted %d frames on" % frames, timeout, 0.1)

    def went_through(self, steps):
        """The history entries matching steps, in order ((screen, phase) pairs; a phase of
        None matches any): each later than the one before. A failure names what the history
        held."""
        history = self.report()["history"]
        found, at = [], 0
        for screen, phase in steps:
            while at < len(history) and not (history[at][0] == screen and phase in (None, history[at][1])):
                at += 1
            check(at < len(history), "the game did not go through %s%s after %s; it went through %s"
                  % (screen, ":" + phase if phase else "", found[-1][0] if found else "its start",
                     " ".join("%s:%s" % (e[0], e[1]) for e in history)))
            found.append(history[at])
            at += 1
        return found

    def press(self, keys, on, taken=None, timeout=GUARD, tries=3):
        """Types keys to the screen on (a class name) once it is steady in front, never to a
        screen not recognised, and waits until taken() holds (by default: another screen is
        in front). Keys that reach a screen with a fade or a locked dialog over it are
        swallowed: they are typed again only when on is still in front after the game has
        drawn frames enough to have read them and shown what they did
        (100: a fade has begun by then)."""
        taken = taken or (lambda: self.screen() != on)
        for attempt in range(tries):
            self.wait_screen(on, timeout=timeout)
            start = self.report()["frames"]
            self.key(keys)
            # Still in front after the frames that read them: swallowed, typed again.
            read = lambda: (lambda r: r["screen"] == on and r["frames"] >= start + 100)(self.report())
            wait_for(lambda: taken() or read(), timeout, 0.1)
            if taken():
                return
        raise Failure("%s typed %d times on %s was not taken (at %s)" % (keys, tries, on, self.screen()))

    def type_text(self, text, on, shown):
        """Types text, key by key, to the screen on once it is steady in front, and waits
        until shown() holds (the field shows it, say)."""
        self.wait_screen(on)
        self.key(" ".join(text))
        until(shown, "%r typed on %s did not show" % (text, on))

    def screenshot(self):
        shot = Image.from_xwd(self.on_window(lambda w: self.x_bytes("xwd", "-silent", "-id", w)))
        self.last_shot, self.last_shot_at = shot, time.monotonic()
        return shot

    def x_bytes(self, *cmd):
        r = subprocess.run(list(cmd), env=self.env, capture_output=True, timeout=20)
        if r.returncode != 0:
            raise Failure("%s failed: %s" % (cmd[0], r.stderr.decode(errors="replace")))
        return r.stdout

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.proc.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def threads(self):
        return len(os.listdir("/proc/%d/task" % self.proc.pid))

    def catches(self, signum):
        try:
            with open("/proc/%d/status" % self.proc.pid) as f:
                caught = [l.split()[1] for l in f if l.startswith("SigCgt:")]
        except OSError:
            return False
        return bool(caught) and (int(caught[0], 16) >> (signum - 1)) & 1 == 1

    def report(self, timeout=GUARD):
        """The frame loop's report, asked for with SIGUSR1 (needs hooks): the counters and the
        game's clock (ms) as ints, the video mode as (w, h), the front screen's class and
        phase as text, "since" the frame it came in front, and the history as a list of
        (screen, phase, frame, ms), oldest first."""
        path = os.path.join(self.hooks, "frames.txt")
        if os.path.exists(path):
            os.remove(path)
        # The window can show before the frame loop takes the signal: sent earlier, it kills.
        until(lambda: self.catches(signal.SIGUSR1),
              "the game does not take SIGUSR1 (status %s)" % self.proc.poll(), timeout)
        self.proc.send_signal(signal.SIGUSR1)
        until(lambda: os.path.exists(path) or self.proc.poll() is not None, "no frame report", timeout)
        check(self.proc.poll() is None, "the game ended (status %s): %s" % (self.proc.returncode, self.finish_output()))
        report = {}
        for line in open(path).read().splitlines():
            key, _, value = line.partition(" ")
            report[key] = int(value) if value.lstrip("-").isdigit() else value
        w, _, h = report.get("mode", "0x0").partition("x")
        report["mode"] = (int(w), int(h))
        history = []
        for e in report.get("history", "").split():
            m = re.fullmatch(r"(.+):([^:@]+)@(\d+):(\d+)", e)
            if m:
                history.append((m.group(1), m.group(2), int(m.group(3)), int(m.group(4))))
        report["history"] = history
        return report

    frames = report

    def close_window(self):
        """Asks the window to close as a window manager does (WM_DELETE_WINDOW)."""
        self.on_window(lambda w: send_delete_window(self.display, int(w)))

    def wait_exit(self, timeout=GUARD):
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        self.finish_output()
        return self.proc.returncode

    def finish_output(self):
        if self.proc.poll() is not None and self.proc.stdout:
            self.out += self.proc.stdout.read()
            self.err += self.proc.stderr.read()
            self.proc.stdout.close()
            self.proc.stderr.close()
            self.proc.stdout = self.proc.stderr = None
        return self.err.decode(errors="replace")

    def stop(self):
        global _failed_shot
        # A failure unwinding past the game: what the window shows, before it goes.
        if sys.exc_info()[0] is not None and _failed_shot is None and self.window and self.proc.poll() is None:
            try:
                _failed_shot = (self, self.screenshot())
            except (Failure, OSError, subprocess.SubprocessError, struct.error):
                pass
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.finish_output()
        shutil.rmtree(self.home, ignore_errors=True)
        if self.hooks and self.hooks != self.env_given_hooks:
            shutil.rmtree(self.hooks, ignore_errors=True)

    # "with Game(...) as g:" stops it however the block ends.
    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        return False


class Image:
    """The RGB pixels of a 32-bit screenshot, decoded on demand."""

    def __init__(self, data, w, h, pos, bpl, order, shifts):
        self.data, self.w, self.h, self.pos, self.bpl = data, w, h, pos, bpl
        self.order, self.shifts = order, shifts

    @staticmethod
    def from_xwd(data):
        (header_size, _version, _fmt, _depth, w, h, _xoff, byte_order, _unit, _bit_order, _pad,
         bpp, bpl, _vclass, rmask, gmask, bmask, _bits_rgb, _cmap_entries, ncolors) = \
            struct.unpack(">20I", data[:80])
        check(bpp == 32, "unexpected screenshot depth %d" % bpp)

        def shift(mask):
            s = 0
            while mask and not mask & 1:
                mask >>= 1
                s += 1
            return s
        return Image(data, w, h, header_size + ncolors * 12, bpl, "<I" if byte_order == 0 else ">I",
                     (shift(rmask), shift(gmask), shift(bmask)))

    def pixel(self, x, y):
        p, = struct.unpack_from(self.order, self.data, self.pos + y * self.bpl + 4 * x)
        rs, gs, bs = self.shifts
        return (p >> rs) & 0xFF, (p >> gs) & 0xFF, (p >> bs) & 0xFF

    def samples(self, step=16):
        return [self.pixel(x, y) for y in range(0, self.h, step) for x in range(0, self.w, step)]

    def mean_brightness(self):
        s = self.samples()
        return sum(sum(p) for p in s) / (3.0 * len(s))

    def distinct_colours(self):
        return len(set(self.samples(8)))

    def scaled_difference(self, other):
        """Mean absolute channel difference against another image at matching positions."""
        total = n = 0
        for j in range(1, 40):
            for i in range(1, 40):
                a = self.pixel(i * self.w // 40, j * self.h // 40)
                b = other.pixel(i * other.w // 40, j * other.h // 40)
                total += sum(abs(p - q) for p, q in zip(a, b))
                n += 3
        return total / n

    def matching_fraction(self, other, tolerance=24):
        """The share of 39 x 39 sample points, at matching positions, whose channels all lie
        within tolerance of the other image's: high for the same picture at another size,
        even with a small moving part such as the pointer."""
        same = n = 0
        for j in range(1, 40):
            for i in range(1, 40):
                a = self.pixel(i * self.w // 40, j * self.h // 40)
                b = other.pixel(i * other.w // 40, j * other.h // 40)
                same += all(abs(p - q) <= tolerance for p, q in zip(a, b))
                n += 1
        return same / n

    def save_png(self, path):
        rows = []
        whole = all(sh % 8 == 0 for sh in self.shifts)
        for y in range(self.h):
            row = bytearray(b"\x00")
            if whole:  # the channels are whole bytes: each taken by a slice
                line = self.data[self.pos + y * self.bpl:self.pos + y * self.bpl + 4 * self.w]
                rgb = bytearray(3 * self.w)
                for c, sh in enumerate(self.shifts):
                    at = sh // 8 if self.order == "<I" else 3 - sh // 8
                    rgb[c::3] = line[at::4]
                row += rgb
            else:
                for x in range(self.w):
                    row += bytes(self.pixel(x, y))
            rows.append(bytes(row))

        def chunk(kind, body):
            c = kind + body
            return struct.pack(">I", len(body)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 6)))
            f.write(chunk(b"IEND", b""))


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




# Each screen by the archive images it shows at a place at full strength: (name, x, y).
MARKS = {
    "new_player": [("i/menu/continue_off.png", 313, 660)],
    "new_player_named": [("i/menu/continue_up.png", 313, 660)],
    "main_menu": [("i/menu/play_up.png", 313, 163), ("i/menu/help_up.png", 313, 469)],
    "options": [("i/game/options_changecardback_up.png", 637, 273), ("i/menu/mainmenu_up.png", 313, 670)],
    "high_scores": [("i/menu/mainmenu_up.png", 313, 670), ("i/game/hs_freecell_up.png", 837, 243)],
    "how_to_play_menu": [("i/game/howtoplay_next_up.png", 873, 669), ("i/menu/mainmenu_up.png", 313, 670)],
    "how_to_play_play": [("i/game/howtoplay_next_up.png", 873, 669), ("i/menu/continue_up.png", 313, 670)],
    "choose_player": [("i/menu/player_up.png", 41, 163), ("i/menu/mainmenu_up.png", 313, 670)],
    "name_prompt": [("i/menu/popup_typename_bg.png", 120, 162)],
    "name_prompt_named": [("i/menu/popup_typename_bg.png", 120, 162), ("i/menu/popup_enter_up.png", 362, 466)],
    "game_choice": [("i/menu/continue_up.png", 313, 670), ("i/menu/checkbox.png", 81, 482)],
    "card_back": [("i/menu/options_up.png", 313, 670)],
    "play": [("i/game/newdeal_up.png", 0, 0), ("i/game/mainmenu_up.png", 859, 0)],
    "stats": [("i/menu/continue_up.png", 313, 670), ("i/game/hs_freecell_up.png", 837, 243)],
    "quit": [("i/menu/popup_quit_bg.png", 120, 162)],
    "won": [("i/game/congrats.png", 297, 334)],
}
# Images a screen must not show, to tell it from a look-alike.
NOT_MARKS = {
    "game_choice": [("i/game/hs_freecell_up.png", 837, 243)],
    "stats": [("i/game/howtoplay_next_up.png", 873, 669)],
    "high_scores": [("i/game/options_changecardback_up.png", 637, 273)],
}


class Screens:
    """Recognises the screens of MARKS in screenshots of a game's window, once the game
    reports a screen steady in front (no fade over it)."""

    def __init__(self, g, archive):
        self.g, self.archive = g, archive
        self.pictures = {}

    def picture(self, name, x, y):
        key = (name, x, y)
        if key not in self.pictures:
            self.pictures[key] = Picture(self.archive, name, x, y)
        return self.pictures[key]

    def shows(self, image, screen):
        return (all(self.picture(*m).difference(image) < 8 for m in MARKS[screen]) and
                all(self.picture(*m).difference(image) > 20 for m in NOT_MARKS.get(screen, [])))

    def wait(self, screen, timeout=GUARD):
        """The first screenshot (pointer parked) that shows screen; a failure keeps it."""
        shot = self.g.wait_look(lambda image: self.shows(image, screen), timeout)
        check(shot, "the %s screen did not show (at %s)" % (screen, self.g.screen()))
        keep(shot, screen)
        return shot

    def wait_picture(self, name, x, y, timeout=GUARD, what=None, parked=True):
        """The first screenshot that shows the image at the place at full strength; a
        failure says what, if given."""
        pic = self.picture(name, x, y)
        shot = self.g.wait_look(lambda image: pic.difference(image) < 8, timeout, parked=parked)
        check(shot, "%s (not within %d s)" % (what, timeout) if what else
              "%s did not show at (%d, %d) (at %s)" % (name, x, y, self.g.screen()))
        return shot

    def mostly_shows(self, image, name, x, y, share=0.7):
        """At least that share of the image's opaque pixels on screen (sprites may fly over it)."""
        pic = self.picture(name, x, y)
        hits = sum(1 for px, py, rgb in pic.points
                   if sum(abs(a - b) for a, b in zip(image.pixel(pic.x + px, pic.y + py), rgb)) < 30)
        return hits >= share * len(pic.points)


class _XClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessage), ("pad", ctypes.c_long * 24)]


class _XErrorEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("display", ctypes.c_void_p), ("resourceid", ctypes.c_ulong),
                ("serial", ctypes.c_ulong), ("error_code", ctypes.c_ubyte), ("request_code", ctypes.c_ubyte),
                ("minor_code", ctypes.c_ubyte)]


_XErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(_XErrorEvent))


def send_delete_window(disp_name, window):
    """WM_DELETE_WINDOW to the window; a failure that names BadWindow where it is gone (an X
    error would otherwise end this process)."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XSetErrorHandler.restype = ctypes.c_void_p
    xlib.XSetErrorHandler.argtypes = [ctypes.c_void_p]
    errors = []
    handler = _XErrorHandler(lambda _dpy, e: errors.append(e.contents.error_code) or 0)
    dpy = xlib.XOpenDisplay(disp_name.encode())
    check(dpy, "cannot open display %s" % disp_name)
    before = xlib.XSetErrorHandler(ctypes.cast(handler, ctypes.c_void_p))
    try:
        ev = _XEvent()
        ev.xclient.type = 33  # ClientMessage
        ev.xclient.window = window
        ev.xclient.message_type = xlib.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        ev.xclient.format = 32
        ev.xclient.data[0] = xlib.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        ev.xclient.data[1] = 0  # CurrentTime
        check(xlib.XSendEvent(dpy, window, 0, 0, ctypes.byref(ev)) != 0, "XSendEvent failed")
        xlib.XSync(dpy, 0)
    finally:
        xlib.XCloseDisplay(dpy)
        xlib.XSetErrorHandler(before)
    check(3 not in errors, "XSendEvent: BadWindow (0x%x)" % window)  # 3: BadWindow
    check(not errors, "XSendEvent: X error %s" % errors)


class _Frozen:
    def __init__(self, g):
        self.g = g

    def __enter__(self):
        pid = self.g.proc.pid
        os.kill(pid, signal.SIGSTOP)

        def stopped():
            with open("/proc/%d/stat" % pid) as f:
                return f.read().rsplit(")", 1)[1].split()[0] in "tT"
        until(stopped, "the game did not stop on SIGSTOP")

    def __exit__(self, *exc):
        os.kill(self.g.proc.pid, signal.SIGCONT)
        return False


def main(cases):
    """Runs the case named by argv[1] with the executable argv[2] (and extra arguments)."""
    if len(sys.argv) < 3 or sys.argv[1] not in cases:
        print("usage: %s {%s} EXE [ARGS...]" % (sys.argv[0], ",".join(sorted(cases))))
        return 2
    set_deadline()
    try:
        cases[sys.argv[1]](sys.argv[2], *sys.argv[3:])
    except Exception as e:
        signal.alarm(0)
        if isinstance(e, Failure):
            print("FAILED: %s" % e)
        else:
            traceback.print_exc(file=sys.stdout)
        for path in keep_failure():
            print("kept: %s" % path)
        return 1
    print("passed")
    return 0
