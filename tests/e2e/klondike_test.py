#!/usr/bin/env python3
"""End to end, with real X input: a first launch, a name typed on the new-player screen, the
main menu, the game choice, then Klondike played with the mouse (a legal drag onto another
pile, a stock click, a double click that sends an Ace home, an undo, a rule option changed
in the popup), a prepared near-won game finished by hand and by the automatic finish, the
celebration, and quitting through the main menu's dialog. Afterwards the player file holds
the name, the statistics and the score.

The game runs with LUNERRA_TEST_HOOKS set to a folder: F11 on the play screen then writes
the table to board.txt there (the cards with their places and positions), F12 rearranges the
game into a nearly won one, and the deals follow a fixed shuffle sequence. Screens are told
apart by the archive's own button images on screen."""

import os
import struct
import sys
import time

from game_test import settled, switch_with_ctrl_page_up
from harness import Failure, Game, check, keep, main, wait_for
from title_test import Picture, SAVE_FOLDER, archive_of, run_to_ready

RED = (2, 3)  # diamonds, hearts
SUITS = "?cdhs"


# ---- the table, as the test hook reports it -------------------------------------------

class Card:
    def __init__(self, fields):
        kind, pile, index, no, suit, up, x, y = fields
        self.kind, self.pile, self.index = kind, int(pile), int(index)
        self.no, self.suit, self.up = int(no), int(suit), up == "1"
        self.x, self.y = int(x), int(y)

    def red(self):
        return self.suit in RED

    def name(self):
        return "%d%s" % (self.no, SUITS[self.suit])

    def centre(self):
        return self.x + 49, self.y + 72


class Board:
    def __init__(self, text):
        lines = text.strip().splitlines()
        head = lines[0].split()
        self.state = {head[i]: int(head[i + 1]) for i in range(0, len(head) - 1, 2)}
        self.cards = [Card(l.split()[1:]) for l in lines[1:] if l.startswith("card ")]

    def pile(self, kind, p=0):
        return sorted((c for c in self.cards if c.kind == kind and c.pile == p), key=lambda c: c.index)

    def top(self, kind, p=0):
        cards = self.pile(kind, p)
        return cards[-1] if cards else None

    def places(self):
        return sorted((c.name(), c.kind, c.pile, c.index, c.up) for c in self.cards)

    def home_count(self):
        return sum(len(self.pile("foundation", f)) for f in range(4))


class Table:
    """Asks the running game for its table through F11."""

    def __init__(self, g, folder):
        self.g, self.path, self.last = g, os.path.join(folder, "board.txt"), 0

    def read(self):
        def fresh():
            try:
                with open(self.path) as f:
                    b = Board(f.read())
            except (OSError, IndexError, ValueError):
                return None
            return b if b.state.get("report", 0) > self.last else None
        # A key pressed while a fade still covers the screen is swallowed: it is sent again.
        b = None
        for _ in range(10):
            self.g.key("F11")
            b = wait_for(fresh, 0.5)
            if b:
                break
        if not b:
            alive = self.g.proc.poll() is None
            try:
                with open(self.path) as f:
                    last = f.read().splitlines()[0]
            except (OSError, IndexError):
                last = "nothing"
            raise Failure("the table was not reported (%s; last report: %s): %s" % (
                "the game runs" if alive else "the game ended with %s" % self.g.proc.returncode, last,
                "" if alive else self.g.finish_output()))
        self.last = b.state["report"]
        return b

    def idle(self, timeout=10):
        """The table once no card moves any more."""
        end = time.monotonic() + timeout
        while True:
            b = self.read()
            if not b.state["animating"] or time.monotonic() > end:
                check(not b.state["animating"], "the cards never came to rest")
                return b
            time.sleep(0.1)


# ---- the mouse ------------------------------------------------------------------------

class Mouse:
    def __init__(self, g):
        self.g = g

    def move(self, x, y):
        self.g.move(x, y)

    def click(self, x, y):
        self.g.click(x, y)

    def double_click(self, x, y):
        self.move(x, y)
        time.sleep(0.15)
        self.g.x("xdotool", "click", "--repeat", "2", "--delay", "120", "1")

    def drag(self, start, end, steps=10):
        self.move(*start)
        time.sleep(0.1)
        self.g.x("xdotool", "mousedown", "1")
        time.sleep(0.1)
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i / steps, start[1] + (end[1] - start[1]) * i / steps)
            time.sleep(0.03)
        time.sleep(0.1)
        self.g.x("xdotool", "mouseup", "1")


# ---- the screens ----------------------------------------------------------------------

class Screens:
    def __init__(self, g, archive):
        self.g = g
        self.name_off = Picture(archive, "i/menu/continue_off.png", 313, 660)
        self.name_ok = Picture(archive, "i/menu/continue_up.png", 313, 660)
        # A button that the test never points at, so it shows its resting image.
        self.menu = Picture(archive, "i/menu/options_up.png", 313, 265)
        self.choice = Picture(archive, "i/menu/continue_up.png", 313, 670)
        self.play = Picture(archive, "i/game/newdeal_up.png", 0, 0)
        self.quit = Picture(archive, "i/menu/popup_quit_bg.png", 120, 162)
        self.won = Picture(archive, "i/game/congrats.png", 297, 334)

    def shows(self, pic, tolerance=8):
        return pic.difference(self.g.look()) < tolerance

    def mostly_shows(self, pic, share=0.7):
        """At least that share of the picture's opaque pixels on screen (sprites may fly over it)."""
        image = self.g.look()
        hits = sum(1 for px, py, rgb in pic.points
                   if sum(abs(a - b) for a, b in zip(image.pixel(pic.x + px, pic.y + py), rgb)) < 30)
        return hits >= share * len(pic.points)

    def wait(self, pic, what, timeout=8):
        check(wait_for(lambda: self.shows(pic), timeout, 0.1), "%s did not show" % what)


# ---- playing --------------------------------------------------------------------------

def legal_drag(b):
    """(card, target card or empty pile) of a legal move onto another tableau pile."""
    tops = {p: b.top("tableau", p) for p in range(7)}
    movers = []
    w = b.top("waste")
    if w:
        movers.append(w)
    for p in range(7):
        movers += [c for c in b.pile("tableau", p) if c.up]
    for c in movers:
        for q in range(7):
            if c.kind == "tableau" and c.pile == q:
                continue
            t = tops[q]
            if t is None:
                if c.no == 13 and not (c.kind == "tableau" and c.index == 0):
                    return c, ("empty", q)
            elif t.up and t.red() != c.red() and t.no == c.no + 1:
                return c, t
    return None


def grab_point(b, c):
    """A point on the card that no card above it covers."""
    above = [d for d in b.pile(c.kind, c.pile) if d.index > c.index]
    if c.kind == "tableau" and above:
        return c.x + 49, c.y + 8
    return c.centre()


def exposed_ace(b):
    for c in [b.top("waste")] + [b.top("tableau", p) for p in range(7)]:
        if c and c.no == 1 and c.up:
            return c
    return None


def play_opening(g, table, mouse):
    """A double click that sends an Ace home, a legal drag and at least one stock click,
    then an undo that takes the last of them back exactly."""
    b = table.idle()
    ace_done = drag_done = False
    clicks = 0
    before_last = None
    for _ in range(60):
        if ace_done and drag_done and clicks:
            break
        ace = None if ace_done else exposed_ace(b)
        move = None if drag_done else legal_drag(b)
        before_last = b
        if ace:
            homes, score = b.home_count(), b.state["score"]
            mouse.double_click(*grab_point(b, ace))
            b = table.idle()
            check(b.home_count() == homes + 1 and any(c.name() == ace.name() and c.kind == "foundation"
                                                      for c in b.cards),
                  "the double click did not send %s home" % ace.name())
            check(b.state["score"] == score + 11, "an Ace home scores 11, not %d" % (b.state["score"] - score))
            ace_done = True
        elif move:
            c, target = move
            if isinstance(target, tuple):
                x, y = 120 * target[1] + 103 + 49, 261 + 72
            else:
                x, y = target.centre()
            gx, gy = grab_point(b, c)
            mouse.drag((gx, gy), (x, y))
            b = table.idle()
            moved = [d for d in b.cards if d.name() == c.name()][0]
            dest = target[1] if isinstance(target, tuple) else target.pile
            check(moved.kind == "tableau" and moved.pile == dest, "the drag of %s did not land" % c.name())
            drag_done = True
        else:
            stock = b.top("stock")
            if stock:
                mouse.click(*stock.centre())
            else:
                mouse.click(116 + 37, 114 + 38)  # the reset button
            moves = b.state["moves"]
            b = table.idle()
            if stock:
                check(b.state["moves"] == moves + 1, "a stock click is one move")
                check(b.top("waste") and b.top("waste").up, "the stock click turned no card")
            clicks += 1
    check(ace_done and drag_done and clicks, "no Ace home or no legal drag within the first plays")

    # Undo takes the last action back: the same places and sides as before it.
    check(b.state["undo"] == 1, "the undo button has nothing to undo")
    mouse.click(152 + 45, 24)
    after = table.idle()
    check(after.places() == before_last.places(), "undo did not restore the table")
    check(after.state["moves"] == b.state["moves"] + 1, "an undo is a move")


def enter_play_screen(g, screens, archive):
    """Waits for the play screen, watching its fade-in: from its first visible frame the
    undo button shows its disabled image, since a fresh deal has nothing to undo. The rules
    page that a new profile sees first is left with Escape, once it is in front."""
    newdeal = Picture(archive, "i/game/newdeal_up.png", 0, 0)
    undo_off = Picture(archive, "i/game/undo_off.png", 152, 0)
    undo_up = Picture(archive, "i/game/undo_up.png", 152, 0)
    looked = 0

    def watch(timeout):
        nonlocal looked
        end = time.monotonic() + timeout
        seen = False  # the play screen shown; its own frame is looked at once more if none was
        while seen or time.monotonic() < end:
            shot = g.screenshot()
            k, residual = newdeal.darkened_fit(shot)
            if k > 0.2 and residual < 8:  # the play screen, perhaps still darkened
                looked += 1
                k_off, r_off = undo_off.darkened_fit(shot)
                k_up, r_up = undo_up.darkened_fit(shot)
                if r_up < r_off:
                    keep(shot, "klondike_undo_lit")
                    raise Failure("the undo button is drawn enabled with nothing to undo (k %.2f)" % k)
            if seen:
                return True
            if screens.shows(screens.play):
                seen = True
                if looked:
                    return True
        return False

    g.park()
    if not watch(3):
        if g.wait_screen(("HowToPlayScreen", "PlayScreen")) == "HowToPlayScreen":
            g.press("Escape", "HowToPlayScreen")
        check(watch(8), "the play screen did not show")
    check(looked > 0, "no frame of the play screen was seen")


def top_bar_at_800(g, table, mouse):
    """At 800x600 the top bar's 48 rows map to 37.5: its buttons and the table below leave
    no undrawn line (row 37, the columns where two buttons meet), and after the options
    popup opens and closes every pixel of the bar is as before: the options button clicked
    to open it is no longer lit, and nothing left of the popup's dimming shows."""
    switch_with_ctrl_page_up(g, (800, 600), "klondike_800")
    g.park()
    # The images are made again at the new size first, which a loaded machine takes a while over.
    settled(g, "klondike_800_settling")

    def bar_changes(old, new):
        return [(x, y) for y in range(0, 40) for x in range(0, 800)
                if sum(abs(p - q) for p, q in zip(old.pixel(x, y), new.pixel(x, y))) > 12]
    before = None

    def bar_still():
        nonlocal before
        last, before = before, g.look()
        return last is not None and not bar_changes(last, before)
    check(wait_for(bar_still, 8, 0.1), "the top bar at 800x600 did not hold still")
    keep(before, "klondike_800")
    # Where each button ends, the next begins (screen columns of the world x 152, 242, ...).
    seams = [int(x * 0.78125 + 0.5) for x in (152, 242, 392, 566, 766, 859)]
    for y in range(0, 38, 3):
        for x in seams:
            a, b = before.pixel(x - 1, y), before.pixel(x - 2, y)
            check(max(a) > 0 or max(b) == 0,
                  "an undrawn column at x %d, row %d: %s beside %s" % (x - 1, y, a, b))
    dark = [x for x in range(0, 800, 4) if max(before.pixel(x, 37)) == 0 and max(before.pixel(x, 36)) > 0]
    check(len(dark) < 10, "row 37, between the top bar and the table, is undrawn at x %s" % dark[:10])

    mouse.click(566 * 0.78125 + 70, 20)  # the options button
    check(wait_for(lambda: table.read().state["popup"], 3), "the options popup did not open")

    def apply_closes():
        # Its first 500 ms take no input: apply is clicked again until it closes.
        mouse.click((555 + 150) * 0.78125, (472 + 50) * 0.78125)  # apply, nothing changed
        return not table.read().state["popup"]
    check(wait_for(apply_closes, 5, 0.2), "the options popup did not close")

    after = changed = None

    def as_before():
        nonlocal after, changed
        after = g.look()
        changed = bar_changes(before, after)
        return not changed
    # The button's glow fades out over 400 ms once the pointer is found off it; a slow
    # (sanitized, loaded) run takes longer to get there. Twice in a row: it has faded.
    wait_for(lambda: as_before() and as_before(), 8, 0.3)
    keep(after, "klondike_800_after_popup")
    lit = [p for p in changed if 442 <= p[0] < 598 and p[1] < 38]
    check(not lit, "the options button is still lit after the popup closed (%d pixels)" % len(lit))
    check(not changed, "%d pixels of the top bar changed over the popup, first %s" % (len(changed), changed[:5]))

    switch_with_ctrl_page_up(g, (1024, 768), "klondike_1024")


def change_rule_option(g, table, mouse, screens):
    """Draw one, through the options popup."""
    check(table.read().state["draw_one"] == 0, "draw one is on from the start")
    mouse.click(566 + 100, 24)
    check(wait_for(lambda: table.read().state["popup"], 3), "the options popup did not open")
    time.sleep(0.7)  # its first 500 ms take no input
    mouse.click(201 + 200, 341 + 16)  # the second box: draw one
    time.sleep(0.2)
    mouse.click(555 + 150, 472 + 50)  # apply
    b = wait_for(lambda: (lambda r: r if not r.state["popup"] else None)(table.read()), 3)
    check(b, "the options popup did not close")
    check(b.state["draw_one"] == 1, "applying the popup did not switch draw one on")
    screens.wait(screens.play, "the play screen after the popup")


def finish_near_win(g, table, mouse, screens):
    """F12 lays Ace to Jack home and King with Queen on four piles; the Queens go home by a
    drag and by double clicks, then the automatic finish plays the Kings."""
    g.key("F12")
    b = table.idle()
    check(b.home_count() == 44, "the near-won table has %d cards home" % b.home_count())
    for i in range(4):
        queens = [c for c in b.cards if c.no == 12 and c.kind == "tableau"]
        check(queens, "no Queen left on the tableau")
        q = queens[0]
        if i == 0:
            f = [f for f in range(4) if b.top("foundation", f).suit == q.suit][0]
            mouse.drag(q.centre(), b.top("foundation", f).centre())
        else:
            mouse.double_click(*q.centre())
        time.sleep(0.3)
        b = table.idle()
        check(not any(c.name() == q.name() and c.kind == "tableau" for c in b.cards),
              "%s did not go home" % q.name())
    # The last Queen lets the automatic finish begin: four Kings, 200 ms apart.
    b = wait_for(lambda: (lambda r: r if r.state["won_dialog"] else None)(table.read()), 10)
    check(b, "the won dialog did not open")
    check(b.home_count() == 52, "the game is won with %d cards home" % b.home_count())
    check(not b.state["in_progress"], "the game is still in progress after the win")
    return b


def read_player_file(path):
    with open(path, "rb") as f:
        data = f.read()
    pos = 8
    (n,) = struct.unpack_from(">I", data, pos)
    pos += 4
    name = data[pos:pos + n - 1].decode() if n else ""
    pos += n
    score, game_ms, total_ms = struct.unpack_from(">iII", data, pos)
    pos += 12 + 2 + 20 + 12
    stats = []
    for _ in range(20):
        stats.append(struct.unpack_from(">IIiIIi", data, pos))
        pos += 24
    pos += 32
    return {"name": name, "score": score, "game_ms": game_ms, "stats": stats, "options": data[pos:pos + 28]}


def case_first_game(exe):
    archive = archive_of(exe)
    g = Game(exe, hooks=True)
    try:
        run_to_ready(g, archive)
        screens, mouse, table = Screens(g, archive), Mouse(g), Table(g, g.hooks)

        # The title leads a fresh profile to the new-player screen.
        mouse.click(512, 400)
        screens.wait(screens.name_off, "the new-player screen with continue disabled")
        g.key("Escape")
        time.sleep(0.3)
        check(screens.shows(screens.name_off), "Escape left the new-player screen")
        g.x("xdotool", "key", "a", "n", "n")
        screens.wait(screens.name_ok, "continue enabled by the typed name", 3)
        keep(g.screenshot(), "klondike_name")
        mouse.click(313 + 199, 660 + 48)
        screens.wait(screens.menu, "the main menu")

        # Play leads to the game choice; Klondike, continue.
        mouse.click(313 + 199, 163 + 48)
        screens.wait(screens.choice, "the game choice")
        mouse.click(20 + 77, 162 + 155)
        time.sleep(0.2)
        mouse.click(313 + 199, 670 + 48)
        enter_play_screen(g, screens, archive)
        keep(g.screenshot(), "klondike_dealt")

        b = table.idle()
        check(len(b.pile("stock")) == 24, "the deal left %d cards in the stock" % len(b.pile("stock")))
        check([len(b.pile("tableau", p)) for p in range(7)] == list(range(1, 8)), "the deal's piles")
        check(b.state["undo"] == 0 and b.state["moves"] == 0, "a fresh deal has moves")

        top_bar_at_800(g, table, mouse)
        screens.wait(screens.play, "the play screen back at 1024x768")
        change_rule_option(g, table, mouse, screens)
        play_opening(g, table, mouse)
        keep(g.screenshot(), "klondike_played")

        won = finish_near_win(g, table, mouse, screens)
        celebrated = wait_for(lambda: screens.mostly_shows(screens.won), 10, 0.1)
        keep(g.last_shot, "klondike_won")
        check(celebrated, "the celebration did not show")
        won_score = won.state["score"]
        check(won_score > 0, "a won game with score %d" % won_score)

        # A click closes the celebration; Escape leaves the statistics, then the new deal,
        # for the main menu. Each screen is known by the frame report before a key or click.
        end = time.monotonic() + 90
        while time.monotonic() < end:
            at = g.screen()
            if at == "MainMenuScreen":
                break
            if at == "PlayScreen" and table.read().state["won_dialog"]:
                mouse.click(512, 600)  # the dialog takes no click at first: clicked again
                wait_for(lambda: g.screen() != "PlayScreen", 3, 0.2)
            elif at in ("StatsScreen", "PlayScreen"):
                g.press("Escape", at)
            else:
                check(at.startswith("Fade"), "the won game led to %s" % at)
                time.sleep(0.2)
        screens.wait(screens.menu, "the main menu after the game")

        # Quit through the main menu's dialog.
        mouse.click(313 + 199, 571 + 48)
        screens.wait(screens.quit, "the quit dialog", 3)
        time.sleep(0.7)
        mouse.click(202 + 150, 466 + 50)
        rc = g.wait_exit(15)
        check(rc == 0, "quitting gave status %s: %s" % (rc, g.err.decode(errors="replace")))

        p = read_player_file(os.path.join(g.home, ".config", SAVE_FOLDER, "player0.dat"))
        played, wins, best = p["stats"][0][:3]
        check(p["name"] == "ann", "the player file names %r" % p["name"])
        check(wins == 1 and played >= 1, "the statistics say %d played, %d won" % (played, wins))
        check(best == won_score, "the best score is %d, the game scored %d" % (best, won_score))
        expected = won_score if played == wins else 0
        check(p["score"] == expected, "the profile's score is %d, not %d" % (p["score"], expected))
        check(p["options"][0] == 1, "draw one is not saved with the profile")
    finally:
        g.stop()


CASES = {"first_game": case_first_game}

if __name__ == "__main__":
    sys.exit(main(CASES))
