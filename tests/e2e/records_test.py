#!/usr/bin/env python3
"""End-to-end checks of the menus and the record files in the real window: every main-menu
button reaches its screen and comes back; a second player is created, chosen and deleted; a
volume survives a restart; a card back is chosen and dealt; a won game enters the high-score
table, which still shows it after a restart; players made in slots whose files cannot be read
are saved there, the old files kept beside them.

Screens are recognised by archive images that only they show at a place, at full strength
(harness.MARKS), once the game reports them steady in front."""

import atexit
import os
import re
import shutil
import stat
import struct
import subprocess
import sys
import tempfile

from harness import GUARD, NEUTRAL, Game, Screens, _die_with_parent, archive_of, check, keep, main, until
from title_test import SAVE_FOLDER, profile_bytes, read, run_to_ready


def png_size(archive, name):
    qdat, rows = archive
    off, _ = rows[name]
    with open(qdat, "rb") as f:
        f.seek(16 + off)
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


NOBODY = 65534  # an unprivileged user: root reads and writes files of any mode


def own_tree(path, uid):
    for folder, dirs, files in os.walk(path):
        for name in [folder] + [os.path.join(folder, n) for n in dirs + files]:
            os.lchown(name, uid, uid)


_reachable = {}
# The sanitizers' suppressions option: its value in either kind of quotes, or bare up to a
# space, ':' or ','.
SUPPRESSIONS = re.compile(r"""(?<![^\s:,])suppressions=(?:"([^"]*)"|'([^']*)'|([^\s:,]*))""")


def reachable_copy(exe):
    """The game and its archive where NOBODY may run them (a build can lie below a folder
    that only root may enter, such as /root), copied once a test."""
    if exe not in _reachable:
        folder = tempfile.mkdtemp(prefix="lunerra-e2e-game-")
        atexit.register(shutil.rmtree, folder, True)
        os.chmod(folder, 0o755)
        shutil.copy2(exe, folder)
        shutil.copytree(os.path.join(os.path.dirname(exe), "data"), os.path.join(folder, "data"))
        _reachable[exe] = os.path.join(folder, os.path.basename(exe))
    return _reachable[exe]


class UserGame(Game):
    """A run as NOBODY, who is given a copy of the game, the run's folders, the save folder
    and a copy of the X cookie."""

    def spawn(self):
        self.argv[0] = reachable_copy(self.argv[0])
        # The sanitizers' suppression list, too, goes where that user may read it.
        options = self.env.get("LSAN_OPTIONS", "")
        found = SUPPRESSIONS.search(options)
        if found:
            path = next(v for v in found.groups() if v is not None)
            copy = os.path.join(os.path.dirname(self.argv[0]), "lsan.supp")
            if path != copy:  # a start made again has it already
                shutil.copy(path, copy)
            quote = "'" if '"' in copy else '"'
            self.env["LSAN_OPTIONS"] = "%ssuppressions=%s%s%s%s" % (
                options[:found.start()], quote, copy, quote, options[found.end():])
        if os.environ.get("XAUTHORITY"):
            auth = os.path.join(self.home, "xauth")
            shutil.copy(os.environ["XAUTHORITY"], auth)
            self.env["XAUTHORITY"] = auth
        for path in (self.home, self.hooks, self.env.get("XDG_CONFIG_HOME")):
            if path:
                own_tree(path, NOBODY)

        def as_nobody():
            os.setgroups([])
            os.setgid(NOBODY)
            os.setuid(NOBODY)
            _die_with_parent()  # a change of user clears the parent-death signal
        self.proc = subprocess.Popen(self.argv, cwd=self.cwd, env=self.env, preexec_fn=as_nobody,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)


class Session:
    """One run of the game, driven through its window (as NOBODY with user=True)."""

    def __init__(self, exe, archive, config, env=None, user=False):
        self.archive = archive
        self.g = (UserGame if user else Game)(exe, env_extra=dict(env or {}, XDG_CONFIG_HOME=config))
        self.screens = Screens(self.g, archive)
        self.folder = os.path.join(config, SAVE_FOLDER)

    def wait(self, screen):
        """The screenshot of MARKS' screen, once the game reports a screen steady in front."""
        return self.screens.wait(screen)

    def picture(self, name, x, y):
        return self.screens.picture(name, x, y)

    def sees(self, name, x, y, what, parked=True):
        """Screens.wait_picture, a failure saying what."""
        return self.screens.wait_picture(name, x, y, what=what, parked=parked)

    def click_image(self, name, x, y):
        w, h = png_size(self.archive, name)
        self.g.click(x + w // 2, y + h // 2)

    def name_player(self, name, on, prompt, named, after):
        """Types a name to the prompt recognised on the screen on, and Return once it shows."""
        self.wait(prompt)
        self.g.type_text(name, on, lambda: self.screens.shows(self.g.look(), named))
        self.g.press("Return", on, taken=lambda: self.screens.shows(self.g.look(), after))

    def start(self, name=None):
        """From the splash to the main menu, naming the first player when asked."""
        run_to_ready(self.g, self.archive)
        self.g.click(512, 384)
        if name:
            self.name_player(name, "NewPlayerScreen", "new_player", "new_player_named", "main_menu")
        return self.wait("main_menu")

    def close(self):
        self.g.close_window()
        rc = self.g.wait_exit(GUARD)
        check(rc == 0, "closing the window gave status %s: %s" % (rc, self.g.err.decode(errors="replace")))

    def file(self, name):
        return read(os.path.join(self.folder, name))

    def create_second(self, name):
        """Main menu -> player choice -> a player named in the second row."""
        self.g.click(512, 720)
        self.wait("choose_player")
        self.click_image("i/menu/create_up.png", 826, 264)
        self.name_player(name, "ChoosePlayerScreen", "name_prompt", "name_prompt_named", "choose_player")
        return self.wait("choose_player")

    def to_play(self):
        """Main menu -> game choice -> the rules page (shown before a first game) -> play."""
        self.click_image("i/menu/play_up.png", 313, 163)
        self.wait("game_choice")
        self.click_image("i/menu/continue_up.png", 313, 670)
        self.wait("how_to_play_play")
        self.click_image("i/menu/continue_up.png", 313, 670)
        return self.wait("play")

    def to_main_menu(self):
        """From the play screen by its main-menu button, once no card moves (the play
        screen ignores clicks while cards move)."""
        settled_board(self)
        self.click_image("i/game/mainmenu_up.png", 859, 0)
        return self.wait("main_menu")


def run(exe, body, env=None, config=None, user=False):
    archive = archive_of(exe)
    own = config is None
    config = config or tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    s = Session(exe, archive, config, env, user)
    try:
        body(s)
    finally:
        s.g.stop()
        if own:
            shutil.rmtree(config, ignore_errors=True)


# ---- the cases ---------------------------------------------------------------------------

def case_menus(exe):
    """Options, high scores, how to play and change player each show their screen and lead
    back to the main menu, by their own button and by Escape; play leads through the game
    choice and the rules page to the play screen, and its main-menu button back."""
    def body(s):
        g = s.g
        unlit = s.start("ann")
        bar = lambda shot: sum(sum(shot.pixel(x, 700)) for x in range(20, 200, 9))  # change player's left end
        for button, y, screen, on, back in (
                ("i/menu/options_up.png", 265, "options", "OptionsScreen", "button"),
                ("i/menu/highscores_up.png", 367, "high_scores", "HighScoresScreen", "button"),
                ("i/menu/help_up.png", 469, "how_to_play_menu", "HowToPlayScreen", "button"),
                ("i/menu/options_up.png", 265, "options", "OptionsScreen", "escape"),
                ("i/menu/highscores_up.png", 367, "high_scores", "HighScoresScreen", "escape"),
                ("i/menu/help_up.png", 469, "how_to_play_menu", "HowToPlayScreen", "escape")):
            s.click_image(button, 313, y)
            s.wait(screen)
            if back == "button":
                g.click(512, 718)  # the pointer rests on the change-player bar, which lights
                g.wait_screen("MainMenuScreen")
                until(lambda: (lambda shot: s.screens.shows(shot, "main_menu") and bar(shot) > bar(unlit) + 1000)(
                    g.screenshot()), "the change-player bar is not lit on return from " + screen)
            else:
                g.press("Escape", on)
            s.wait("main_menu")

        # How to play pages through all six games, page by page as the game reports them.
        def page(n):
            """Page n's picture once the next button's glow has faded."""
            g.wait_screen("HowToPlayScreen", "page%d" % n)
            g.park()
            g.wait_quiet()
            return s.wait("how_to_play_menu")

        next_button = ("i/game/howtoplay_next_up.png", 873, 669)
        s.click_image("i/menu/help_up.png", 313, 469)
        first = shot = page(0)
        for n in range(1, 7):
            s.click_image(*next_button)
            later = page(n % 6)
            check(later.scaled_difference(shot) >= 3, "the next button turns page %d" % n)
            shot = later
        check(first.scaled_difference(shot) < 3, "six pages on, another page shows")
        s.click_image(*next_button)
        check(first.scaled_difference(page(1)) > 3, "next shows the same page")
        g.press("Escape", "HowToPlayScreen")
        s.wait("main_menu")
        # The change-player button lies at the bottom beside the welcome line.
        g.click(512, 720)
        s.wait("choose_player")
        s.click_image("i/menu/mainmenu_up.png", 313, 670)
        s.wait("main_menu")
        keep(s.to_play(), "menus_play")
        s.to_main_menu()
        s.close()
    run(exe, body)


def case_players(exe):
    """A second player is created in an empty row, named, made current; the first player is
    chosen again and the second deleted after the question; the files show it."""
    def body(s):
        g = s.g
        s.start("ann")
        g.click(512, 720)
        shot = s.wait("choose_player")
        marker = s.picture("i/menu/checkbox.png", 64, 186)
        check(marker.difference(shot) < 8, "the marker is not on the first row")
        s.click_image("i/menu/create_up.png", 826, 264)
        shot = s.wait("name_prompt")
        keep(shot, "players_prompt")
        k, residual = s.picture("i/menu/checkbox.png", 64, 287).darkened_fit(shot)  # under the dim layer
        check(k > 0.5 and residual < 6, "the marker did not move to the new row before the name")
        s.name_player("bea", "ChoosePlayerScreen", "name_prompt", "name_prompt_named", "choose_player")
        shot = s.wait("choose_player")
        check(s.picture("i/menu/checkbox.png", 64, 287).difference(shot) < 8, "the new player is not current")
        check(s.picture("i/menu/delete_up.png", 826, 163).difference(shot) < 8,
              "the first row shows no delete button once another player is current")
        # Choose the first player again, then delete the second.
        g.click(100, 200)
        s.sees("i/menu/checkbox.png", 64, 186, "the first player was not chosen")
        s.click_image("i/menu/delete_up.png", 826, 264)
        keep(s.sees("i/menu/popup_delete_up.png", 202, 466, "no question before the delete"), "players_delete_dialog")
        g.let_game_run(510)  # the dialog ignores input for its first 500 ms
        s.click_image("i/menu/popup_delete_up.png", 202, 466)
        shot = s.sees("i/menu/create_up.png", 826, 264, "the deleted row does not offer creation")
        keep(shot, "players_deleted")
        check(s.screens.shows(shot, "choose_player"), "the question stays over the player list")
        g.press("Escape", "ChoosePlayerScreen")
        s.wait("main_menu")
        s.close()
        check(not os.path.exists(os.path.join(s.folder, "player1.dat")),
              "player1.dat was written, though its player was made and deleted in the same run")
        check(s.file("player0.dat") == profile_bytes("ann", fresh=False, current=True),
              "player0.dat is not the current player ann")
    run(exe, body)


def options_bytes(full, sound, music, effects):
    return struct.pack(">IBIII", 0xB17690AE, full, sound, music, effects)


def case_volume_kept(exe):
    """The music volume set by a click on its track is saved even when the window is closed
    on the options screen, and the knob stands there after a restart; leaving then saves
    the same numbers."""
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    try:
        def first(s):
            s.start("cy")
            s.click_image("i/menu/options_up.png", 313, 265)
            s.wait("options")
            s.sees("i/menu/slider.png", 448, 286, "the music knob is not at 448")
            s.sees("i/menu/slider.png", 504, 369, "the sound knob is not at 504")
            s.g.click(350, 300)  # on the music track
            s.sees("i/menu/slider.png", 350, 286, "the knob did not jump to 350")
            s.close()
            check(s.file("options.dat") == options_bytes(0, 79, 24, 100),
                  "options.dat after closing on the options screen: %r" % s.file("options.dat"))
        run(exe, first, config=config)

        def second(s):
            s.start()
            s.click_image("i/menu/options_up.png", 313, 265)
            keep(s.wait("options"), "volume_restarted")
            # 24 % is stored: the knob stands on the first pixel that reads as 24.
            s.sees("i/menu/slider.png", 348, 286, "the music knob moved over a restart")
            s.g.press("Escape", "OptionsScreen")
            s.wait("main_menu")
            check(s.file("options.dat") == options_bytes(0, 79, 24, 100), "leaving changed the stored volumes")
            s.close()
        run(exe, second, config=config)
    finally:
        shutil.rmtree(config, ignore_errors=True)


def board(s):
    """The table as the test hook writes it on F11 (typed again if a fade swallowed it):
    the state line as a dict, and {(kind, pile, index): (no, suit, face_up, x, y)}."""
    path = os.path.join(s.g.hooks, "board.txt")
    if os.path.exists(path):
        os.remove(path)
    s.g.press("F11", "PlayScreen", taken=lambda: os.path.exists(path))
    lines = open(path).read().splitlines()
    head = lines[0].split()
    state = dict(zip(head[0::2], head[1::2]))
    cards = {}
    for line in lines[1:]:
        _, kind, pile, i, no, suit, up, x, y = line.split()
        cards[(kind, int(pile), int(i))] = (int(no), int(suit), up == "1", int(x), int(y))
    return state, cards


def settled_board(s):
    """The board once no card moves."""
    return until(lambda: (lambda b: b if b[0].get("animating") == "0" else None)(board(s)), "the cards did not settle")


def case_card_back(exe):
    """A card back chosen on its screen shows in the options' preview and on the cards of
    the next deal."""
    def body(s):
        s.start("dan")
        s.click_image("i/menu/options_up.png", 313, 265)
        s.wait("options")
        s.click_image("i/game/options_changecardback_up.png", 637, 273)
        s.wait("card_back")
        s.g.click(37 + 600 + 50, 183 + 100)  # card back 5
        keep(s.sees("i/menu/checkbox.png", 674, 358, "the marker is not under back 5"), "card_back_chosen")
        # Back by its button, the pointer left there: the card-back button used to leave goes out.
        s.g.click(512, 718)
        shot = s.sees("i/game/options_changecardback_up.png", 637, 273, "the card-back button stays lit", parked=False)
        check(s.picture("i/game/cards/back5.png", 668, 303).difference(shot) < 8, "the preview does not show back 5")
        s.g.press("Escape", "OptionsScreen")
        s.wait("main_menu")
        s.to_play()
        _, cards = settled_board(s)
        stock = sorted((k[2], v) for k, v in cards.items() if k[0] == "stock")
        check(stock and not stock[-1][1][2], "no face-down card on the stock")
        x, y = stock[-1][1][3], stock[-1][1][4]  # the top card, drawn last
        shot = s.g.look()
        keep(shot, "card_back_table")
        five = s.picture("i/game/cards/back5.png", x, y).difference(shot)
        zero = s.picture("i/game/cards/back0.png", x, y).difference(shot)
        check(five < 8 and zero > five + 5, "the stock does not show back 5 (%.1f, back 0 %.1f)" % (five, zero))
        s.close()
    run(exe, body)


ROW0 = (279, 246, 790, 284)  # the first row of a high-score table


def region_difference(a, b, box):
    x0, y0, x1, y1 = box
    total = n = 0
    for y in range(y0, y1, 2):
        for x in range(x0, x1, 3):
            total += sum(abs(p - q) for p, q in zip(a.pixel(x, y), b.pixel(x, y)))
            n += 3
    return total / n


def win_klondike(s):
    """Rearranges the deal into a nearly won one and sends the last eight cards home."""
    settled_board(s)
    tableau = lambda cards: sum(1 for k in cards if k[0] == "tableau")
    s.g.press("F12", "PlayScreen", taken=lambda: tableau(board(s)[1]) == 8)
    for _ in range(12):
        _, cards = settled_board(s)
        tops = [(k, v) for k, v in cards.items()
                if k[0] == "tableau" and (k[0], k[1], k[2] + 1) not in cards]
        if not tops:
            break  # the last cards may finish by themselves
        _, (no, _, _, x, y) = tops[0]
        s.g.double_click(x + 50, y + 60)
    check(not tops, "cards stay on the tableau: %s" % sorted(k for k in cards if k[0] == "tableau"))


def win_to_main_menu(s):
    """Wins the Klondike game on the play screen, goes on from the statistics shown then
    and leaves the new deal for the main menu. The statistics screen as it showed."""
    win_klondike(s)
    # The won dialog shows once the score counter has caught up.
    until(lambda: (lambda state: state["won_dialog"] == "1" and state["counting"] == "0")(board(s)[0]),
          "no won dialog once the score counter caught up")
    check(s.g.wait_look(lambda shot: s.screens.mostly_shows(shot, "i/game/congrats.png", 297, 334)),
          "the won dialog does not show")
    s.g.click(*NEUTRAL)
    stats = s.wait("stats")
    s.click_image("i/menu/continue_up.png", 313, 670)
    s.wait("play")
    s.to_main_menu()
    return stats


def case_won_highscore(exe):
    """A won Klondike game shows the statistics, enters the high-score table at its top and
    into "highscores.dat"; after a restart the table still shows it."""
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    shots = {}
    try:
        def first(s):
            s.start("eve")
            s.click_image("i/menu/highscores_up.png", 313, 367)
            shots["before"] = s.wait("high_scores")
            s.g.press("Escape", "HighScoresScreen")
            s.wait("main_menu")
            s.to_play()
            keep(win_to_main_menu(s), "won_stats")
            s.click_image("i/menu/highscores_up.png", 313, 367)
            shots["after"] = s.wait("high_scores")
            keep(shots["after"], "won_high_scores")
            s.close()
            data = s.file("highscores.dat")
            check(data[:4] == b"\xA5\x74\x37\x14", "highscores.dat has no magic")
            n = struct.unpack(">I", data[4:8])[0]
            name = data[8:8 + n - 1]
            check(name == b"eve", "row 0 of the Klondike table is %r" % name)
            pos = 8 + n
            n = struct.unpack(">I", data[pos:pos + 4])[0]
            score = int(data[pos + 4:pos + 4 + n - 1])
            check(score > 0, "the entered score is %d" % score)
        run(exe, first, config=config)
        check(region_difference(shots["before"], shots["after"], ROW0) > 5, "row 0 did not change after the win")

        def second(s):
            s.start()
            s.click_image("i/menu/highscores_up.png", 313, 367)
            shot = s.wait("high_scores")
            keep(shot, "won_high_scores_restarted")
            check(region_difference(shot, shots["after"], ROW0) < 3, "row 0 differs after a restart")
            s.close()
        run(exe, second, config=config)
    finally:
        shutil.rmtree(config, ignore_errors=True)


def case_kept_as_found(exe):
    """Records the game cannot take whole are left as they were by a start and a SIGTERM
    quit, byte for byte and with their mode: a FIFO at options.dat (the start does not wait
    on it), a player file that cannot be read (a folder at its path as root, who reads any
    file; otherwise a file of mode 000), a 31-character name, a damaged name count, a name
    without its closing zero, and a private whole profile. The unreadable records are told
    once each on stderr."""
    archive = archive_of(exe)
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    folder = os.path.join(config, SAVE_FOLDER)
    os.makedirs(folder)
    try:
        def path(name):
            return os.path.join(folder, name)
        os.mkfifo(path("options.dat"), 0o644)
        long_named = profile_bytes("L" * 31, fresh=False, current=True)
        bad_count = bytearray(profile_bytes("bea", fresh=False))
        bad_count[8:12] = struct.pack(">I", 0x7FFFFFFF)
        no_zero = bytearray(profile_bytes("cy", fresh=False))
        no_zero[12 + 2] = ord("!")
        files = {"player0.dat": (long_named, 0o600), "player1.dat": (bytes(bad_count), 0o644),
                 "player3.dat": (bytes(no_zero), 0o640), "player4.dat": (profile_bytes("eve", fresh=False), 0o600)}
        for name, (data, mode) in files.items():
            with open(path(name), "wb") as f:
                f.write(data)
            os.chmod(path(name), mode)
        unreadable = path("player2.dat")
        if os.geteuid() == 0:
            os.mkdir(unreadable)
        else:
            with open(unreadable, "wb") as f:
                f.write(profile_bytes("dee", fresh=False))
            os.chmod(unreadable, 0)
        with Game(exe, env_extra={"XDG_CONFIG_HOME": config}) as g:
            g.find_window()
            run_to_ready(g, archive)
            g.proc.terminate()
            rc = g.wait_exit(GUARD)
            err = g.err.decode(errors="replace")
            check(rc == 0, "SIGTERM gave status %s: %s" % (rc, err[-2000:]))
        check(stat.S_ISFIFO(os.lstat(path("options.dat")).st_mode), "options.dat is no longer a FIFO")
        for name, (data, mode) in files.items():
            check(read(path(name)) == data, "%s was rewritten: %r" % (name, read(path(name))[:64]))
            got = stat.S_IMODE(os.stat(path(name)).st_mode)
            check(got == mode, "%s has mode %o, was %o" % (name, got, mode))
        if os.geteuid() == 0:
            check(os.path.isdir(unreadable), "the folder at player2.dat was replaced")
        else:
            os.chmod(unreadable, 0o600)
            check(read(unreadable) == profile_bytes("dee", fresh=False), "player2.dat was rewritten")
        for name in ("options.dat", "player2.dat"):
            check(err.count(name + " cannot be read") == 1, "%s is not told once: %r" % (name, err[-2000:]))
        check(sorted(os.listdir(folder)) == ["options.dat"] + ["player%d.dat" % i for i in range(5)],
              "other files in the save folder: %s" % sorted(os.listdir(folder)))
    finally:
        shutil.rmtree(config, ignore_errors=True)


def profile_fields(data):
    """Name, is_current and Klondike's played and won of a player file."""
    n = struct.unpack(">I", data[8:12])[0]
    at = 12 + n
    played, won = struct.unpack(">II", data[at + 46:at + 54])
    return data[12:12 + n - 1].decode(errors="replace"), data[at + 13], played, won


def unreadable_slots(exe, kind):
    """Slots 0 and 1 hold files the game cannot read: the first start asks for a name, and
    "ann" goes to slot 0; "bea", made in slot 1 from the player list, wins a game. The next
    start asks for no name, both players are in their files, and each old file lies beside
    its slot as "<name>.unreadable", byte for byte and with its mode; stderr said where.
    A file of mode 000 is its owner's: as root the game runs as an unprivileged user."""
    config = tempfile.mkdtemp(prefix="lunerra-e2e-config-")
    folder = os.path.join(config, SAVE_FOLDER)
    os.makedirs(folder)
    mode = 0 if kind == "mode_000" else 0o644
    user = mode == 0 and os.geteuid() == 0
    old = {}
    try:
        for i, name in enumerate(("dee", "fay")):
            data = bytearray(profile_bytes(name, fresh=False, current=i == 0))
            if kind == "wrong_magic":
                data[0] ^= 1
            elif kind == "cut_name":
                del data[8 + 4 + 2:]
            path = os.path.join(folder, "player%d.dat" % i)
            old[path] = bytes(data)
            with open(path, "wb") as f:
                f.write(data)
            os.chmod(path, mode)

        def first(s):
            s.start("ann")
            s.create_second("bea")
            s.g.press("Escape", "ChoosePlayerScreen")
            s.wait("main_menu")
            s.to_play()
            win_to_main_menu(s)
            s.close()
            err = s.g.err.decode(errors="replace")
            for path in old:
                check(err.count("%s could not be read; it was moved to %s.unreadable\n" % (path, path)) == 1,
                      "stderr does not tell where %s went: %r" % (path, err[-2000:]))
        run(exe, first, config=config, user=user)

        def second(s):
            s.start()  # no name asked for
            s.close()
        run(exe, second, config=config, user=user)
        for path, data in old.items():
            check(read(path + ".unreadable") == data, "%s.unreadable is not the old file" % path)
            got = stat.S_IMODE(os.stat(path + ".unreadable").st_mode)
            check(got == mode, "%s.unreadable has mode %o" % (path, got))
        ann = profile_fields(read(os.path.join(folder, "player0.dat")))
        bea = profile_fields(read(os.path.join(folder, "player1.dat")))
        check(ann[0] == "ann" and not ann[1], "player0.dat holds %r" % (ann,))
        check(bea[:2] == ("bea", 1) and bea[3] == 1,
              "player1.dat holds %r, not the current bea with one game won" % (bea,))
        aside = sorted(n for n in os.listdir(folder) if "unreadable" in n)
        check(aside == ["player0.dat.unreadable", "player1.dat.unreadable"], "files moved aside: %s" % aside)
    finally:
        shutil.rmtree(config, ignore_errors=True)


CASES = {
    "menus": case_menus,
    "players": case_players,
    "volume_kept": case_volume_kept,
    "card_back": case_card_back,
    "won_highscore": case_won_highscore,
    "kept_as_found": case_kept_as_found,
    "unreadable_wrong_magic": lambda exe: unreadable_slots(exe, "wrong_magic"),
    "unreadable_cut_name": lambda exe: unreadable_slots(exe, "cut_name"),
    "unreadable_mode_000": lambda exe: unreadable_slots(exe, "mode_000"),
}

if __name__ == "__main__":
    sys.exit(main(CASES))
