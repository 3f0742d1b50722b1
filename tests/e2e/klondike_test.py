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

from game_test import switch_with_ctrl_page_up
from harness import GUARD, Failure, Game, Screens, archive_of, check, keep, main, until, wait_for
from title_test import SAVE_FOLDER, run_to_ready

RED = (2, 3)  # diamonds, hearts
SUITS = "?cdhs"
CONGRATS = ("i/game/congrats.png", 297, 334)


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
    """Asks the running game for its table through F11, typed to the play screen once it is
    steady in front."""

    def __init__(self, g):
        self.g, self.path, self.last = g, os.path.join(g.hooks, "board.txt"), 0

    def fresh(self):
        try:
            with open(self.path) as f:
                b = Board(f.read())
        except (OSError, IndexError, ValueError):
            return None
        return b if b.state.get("report", 0) > self.last else None

    def read(self):
        # A key the server did not hand on is typed again once the game has drawn frames
        # enough to have read it.
        for _ in range(3):
            self.g.wait_screen("PlayScreen")
            start = self.g.report()["frames"]
            self.g.key("F11")
            b = wait_for(lambda: self.fresh() or (self.g.report()["frames"] >= start + 100 and self.fresh()))
            if b:
                self.last = b.state["report"]
                return b
        try:
            with open(self.path) as f:
                last = f.read().splitlines()[0]
        except (OSError, IndexError):
            last = "nothing"
        raise Failure("the table was not reported (last report: %s)" % last)

    def idle(self):
        """The table once no card moves any more."""
        return until(lambda: (lambda b: None if b.state["animating"] else b)(self.read()),
                     "the cards never came to rest")

    def when(self, pred, what):
        """The first table for which pred holds."""
        return until(lambda: (lambda b: b if pred(b) else None)(self.read()), what)


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


def play_opening(g, table):
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
            g.double_click(*grab_point(b, ace))
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
            g.drag(grab_point(b, c), (x, y))
            b = table.idle()
            moved = [d for d in b.cards if d.name() == c.name()][0]
            dest = target[1] if isinstance(target, tuple) else target.pile
            check(moved.kind == "tableau" and moved.pile == dest, "the drag of %s did not land" % c.name())
            drag_done = True
        else:
            stock = b.top("stock")
            if stock:
                g.click(*stock.centre())
            else:
                g.click(116 + 37, 114 + 38)  # the reset button
            moves = b.state["moves"]
            b = table.idle()
            if stock:
                check(b.state["moves"] == moves + 1, "a stock click is one move")
                check(b.top("waste") and b.top("waste").up, "the stock click turned no card")
            clicks += 1
    check(ace_done and drag_done and clicks, "no Ace home or no legal drag within the first plays")

    # Undo takes the last action back: the same places and sides as before it.
    check(b.state["undo"] == 1, "the undo button has nothing to undo")
    g.click(152 + 45, 24)
    after = table.idle()
    check(after.places() == before_last.places(), "undo did not restore the table")
    check(after.state["moves"] == b.state["moves"] + 1, "an undo is a move")


def enter_play_screen(g, screens):
    """Waits for the play screen, watching its fade-in: in each frame of it that a
    screenshot catches, and once it is steady in front, the undo button shows its disabled
    image (the enabled one differs from it but little), since a fresh deal has nothing to
    undo. The rules page that a new profile sees first is left with Escape, once it is in
    front."""
    newdeal = screens.picture("i/game/newdeal_up.png", 0, 0)
    undo_off = screens.picture("i/game/undo_off.png", 152, 0)
    undo_up = screens.picture("i/game/undo_up.png", 152, 0)

    def undo_drawn_off(shot):
        k, residual = newdeal.darkened_fit(shot)
        if k > 0.2 and residual < 8:  # the play screen, perhaps still darkened
            if undo_up.darkened_fit(shot)[1] <= undo_off.darkened_fit(shot)[1]:
                keep(shot, "klondike_undo_lit")
                raise Failure("the undo button is drawn enabled with nothing to undo (k %.2f)" % k)
            return True
        return False

    def watch():
        undo_drawn_off(g.screenshot())
        r = g.report()
        if r["screen"] == "HowToPlayScreen" and r["frames"] >= r["since"] + 2:
            g.press("Escape", "HowToPlayScreen")
        return r["screen"] == "PlayScreen" and r["frames"] >= r["since"] + 2
    g.park()
    until(watch, "the play screen did not come in front (at %s)" % g.screen())
    g.went_through([("ChooseGameScreen", None), ("FadeFromBlackOverlay", None), ("PlayScreen", None)])
    shot = screens.wait("play")
    check(undo_drawn_off(shot), "the play screen is not drawn whole once in front")
    keep(shot, "klondike_dealt")


def top_bar_at_800(g, table, screens):
    """At 800x600 the top bar's 48 rows map to 37.5: its buttons and the table below leave
    no undrawn line (row 37, the columns where two buttons meet), and after the options
    popup opens and closes every pixel of the bar is as before: the options button clicked
    to open it is no longer lit, and nothing left of the popup's dimming shows."""
    switch_with_ctrl_page_up(g, (800, 600), "klondike_800")

    def bar_changes(old, new):
        return [(x, y) for y in range(0, 40) for x in range(0, 800)
                if sum(abs(p - q) for p, q in zip(old.pixel(x, y), new.pixel(x, y))) > 12]

    def still_bar():
        """The bar once a glow lit by the pointer has faded (400 ms of the game's clock
        once the game has read the pointer parked: the play screen's clock goes on repainting
        the window) and the images made again at the new size are drawn: two looks alike."""
        g.park()
        g.let_game_run(600)
        shots = [g.look()]
        until(lambda: shots.append(g.look()) or not bar_changes(shots[-2], shots[-1]),
              "the top bar at 800x600 did not hold still")
        return shots[-1]
    before = still_bar()
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

    g.click(566 * 0.78125 + 70, 20)  # the options button
    table.when(lambda b: b.state["popup"], "the options popup did not open")
    g.let_game_run(510)  # its first 500 ms take no input
    g.click((555 + 150) * 0.78125, (472 + 50) * 0.78125)  # apply, nothing changed
    table.when(lambda b: not b.state["popup"], "the options popup did not close")

    after = still_bar()
    keep(after, "klondike_800_after_popup")
    changed = bar_changes(before, after)
    lit = [p for p in changed if 442 <= p[0] < 598 and p[1] < 38]
    check(not lit, "the options button is still lit after the popup closed (%d pixels)" % len(lit))
    check(not changed, "%d pixels of the top bar changed over the popup, first %s" % (len(changed), changed[:5]))

    switch_with_ctrl_page_up(g, (1024, 768), "klondike_1024")
    screens.wait("play")


def change_rule_option(g, table, screens):
    """Draw one, through the options popup."""
    check(table.read().state["draw_one"] == 0, "draw one is on from the start")
    g.click(566 + 100, 24)
    table.when(lambda b: b.state["popup"], "the options popup did not open")
    g.let_game_run(510)  # its first 500 ms take no input
    g.click(201 + 200, 341 + 16)  # the second box: draw one
    g.click(555 + 150, 472 + 50)  # apply
    b = table.when(lambda b: not b.state["popup"], "the options popup did not close")
    check(b.state["draw_one"] == 1, "applying the popup did not switch draw one on")
    screens.wait("play")


def finish_near_win(g, table):
    """F12 lays Ace to Jack home and King with Queen on four piles; the Queens go home by a
    drag and by double clicks, then the automatic finish plays the Kings."""
    g.press("F12", "PlayScreen", taken=lambda: table.read().home_count() == 44)
    b = table.idle()
    check(b.home_count() == 44, "the near-won table has %d cards home" % b.home_count())
    for i in range(4):
        queens = [c for c in b.cards if c.no == 12 and c.kind == "tableau"]
        check(queens, "no Queen left on the tableau")
        q = queens[0]
        if i == 0:
            f = [f for f in range(4) if b.top("foundation", f).suit == q.suit][0]
            g.drag(q.centre(), b.top("foundation", f).centre())
        else:
            g.double_click(*q.centre())
        b = table.idle()
        check(not any(c.name() == q.name() and c.kind == "tableau" for c in b.cards),
              "%s did not go home" % q.name())
    # The last Queen lets the automatic finish begin: four Kings, 200 ms apart.
    b = table.when(lambda b: b.state["won_dialog"], "the won dialog did not open")
    check(b.home_count() == 52, "the game is won with %d cards home" % b.home_count())
    check(not b.state["in_progress"], "the game is still in progress after the win")
    return b


def to_main_menu_after_win(g, table):
    """A click closes the celebration; Escape leaves the statistics, then the new deal, for
    the main menu. Each screen is known by the frame report before a key or click."""
    for _ in range(8):
        at = g.wait_steady()
        if at == "MainMenuScreen":
            return
        if at == "PlayScreen" and table.read().state["won_dialog"]:
            # A click the server did not hand on is made again once the game has drawn
            # frames enough to have read it.
            start = g.report()["frames"]
            g.click(512, 600)
            wait_for(lambda: (lambda r: r["screen"] != "PlayScreen" or r["frames"] >= start + 100)(g.report()))
        else:
            check(at in ("StatsScreen", "PlayScreen"), "the won game led to %s" % at)
            g.press("Escape", at)
    raise Failure("the won game did not lead back to the main menu (at %s)" % g.screen())


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
    with Game(exe) as g:
        run_to_ready(g, archive)
        screens, table = Screens(g, archive), Table(g)

        # The title leads a fresh profile to the new-player screen; Escape leaves it not.
        g.click(512, 400)
        g.wait_screen("NewPlayerScreen")
        screens.wait("new_player")
        start = g.report()["frames"]
        g.reached(lambda: g.key("Escape"), keys=2)
        g.wait_frames(100)  # frames enough to have begun a fade
        check(not [e for e in g.report()["history"] if e[2] > start] and screens.shows(g.look(), "new_player"),
              "Escape left the new-player screen")
        g.type_text("ann", "NewPlayerScreen", lambda: screens.shows(g.look(), "new_player_named"))
        keep(g.last_shot, "klondike_name")
        g.click(313 + 199, 660 + 48)
        g.wait_screen("MainMenuScreen")
        screens.wait("main_menu")

        # Play leads to the game choice; Klondike, continue.
        g.click(313 + 199, 163 + 48)
        g.wait_screen("ChooseGameScreen")
        screens.wait("game_choice")
        g.click(20 + 77, 162 + 155)
        g.click(313 + 199, 670 + 48)
        enter_play_screen(g, screens)

        b = table.idle()
        check(len(b.pile("stock")) == 24, "the deal left %d cards in the stock" % len(b.pile("stock")))
        check([len(b.pile("tableau", p)) for p in range(7)] == list(range(1, 8)), "the deal's piles")
        check(b.state["undo"] == 0 and b.state["moves"] == 0, "a fresh deal has moves")

        top_bar_at_800(g, table, screens)
        change_rule_option(g, table, screens)
        play_opening(g, table)
        keep(g.screenshot(), "klondike_played")

        won = finish_near_win(g, table)
        celebrated = g.wait_look(lambda s: screens.mostly_shows(s, *CONGRATS))
        keep(g.last_shot, "klondike_won")
        check(celebrated, "the celebration did not show")
        won_score = won.state["score"]
        check(won_score > 0, "a won game with score %d" % won_score)

        to_main_menu_after_win(g, table)
        screens.wait("main_menu")

        # Quit through the main menu's dialog.
        g.click(313 + 199, 571 + 48)
        screens.wait("quit")
        g.let_game_run(510)  # its first 500 ms take no input
        g.click(202 + 150, 466 + 50)
        rc = g.wait_exit(GUARD)
        check(rc == 0, "quitting gave status %s: %s" % (rc, g.err.decode(errors="replace")))

        p = read_player_file(os.path.join(g.home, ".config", SAVE_FOLDER, "player0.dat"))
        played, wins, best = p["stats"][0][:3]
        check(p["name"] == "ann", "the player file names %r" % p["name"])
        check(wins == 1 and played >= 1, "the statistics say %d played, %d won" % (played, wins))
        check(best == won_score, "the best score is %d, the game scored %d" % (best, won_score))
        expected = won_score if played == wins else 0
        check(p["score"] == expected, "the profile's score is %d, not %d" % (p["score"], expected))
        check(p["options"][0] == 1, "draw one is not saved with the profile")


CASES = {"first_game": case_first_game}

if __name__ == "__main__":
    sys.exit(main(CASES))
