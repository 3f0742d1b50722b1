#!/usr/bin/env python3
"""End to end, with real X input, one case per game besides Klondike: a first launch, a name
typed on the new-player screen, the main menu, the game choice, the game's how-to-play page
passed with its continue button, then a few legal plays on the play screen (drags, stock
clicks, single-click plays), each seen in the table's report; an undo that restores the
table; a rule option switched in the options popup; back to the main menu and quitting
through its dialog. The switched option is then found in the player file.

The table comes from the test hook (F11 writes it; see klondike_test.py). FreeCell's free
cells are not in the report: a card put there just leaves the tableau."""

import os
import sys

from harness import GUARD, Game, Screens, archive_of, check, keep, main, until, wait_for
from klondike_test import Table, grab_point, read_player_file
from title_test import SAVE_FOLDER, run_to_ready

# Position on the game choice, and the byte of the first option in the player file's
# option section (game-type order, each game's bytes then three reserved ones).
GAMES = {"freecell": (1, 6), "spider": (2, 10), "tripeaks": (3, 14), "yukon": (4, 19), "golf": (5, 23)}

UNDO = (152 + 45, 24)
OPTIONS = (566 + 100, 24)
MAIN_MENU = (859 + 82, 24)
FIRST_BOX = (201 + 200, 268 + 16)
APPLY = (555 + 150, 472 + 50)
CONTINUE = (313 + 199, 670 + 48)


def located(b, card):
    """Where the card lies now (kind, pile), for decks with one card of each kind."""
    same = [d for d in b.cards if d.name() == card.name()]
    return [(d.kind, d.pile) for d in same]


def next_place(t, step=26):
    """The centre of the place just below card t on its pile."""
    return t.x + 49, t.y + 72 + step


# ---- the games' plays: each returns the next play for the table, or None ---------------

def alternating_fit(c, t):
    return t is not None and t.up and t.red() != c.red() and t.no == c.no + 1


def freecell_play(b, cells_used):
    tops = [b.top("tableau", p) for p in range(8)]
    for c in tops:
        if c and c.no == 1:
            return ("home", c, (534 + 49, 81 + 72))
    for c in tops:
        for t in tops:
            if c and t is not c and alternating_fit(c, t):
                return ("drag", c, t)
    if cells_used < 4:
        c = max((t for t in tops if t), key=lambda t: t.no)
        return ("cell", c, (26 + 120 * cells_used + 49, 81 + 72))
    return None


def yukon_play(b):
    tops = {p: b.top("tableau", p) for p in range(7)}
    for c in tops.values():
        if c and c.no == 1:
            return ("home", c, (906 + 49, 67 + 72))
    for p in range(7):
        for c in b.pile("tableau", p):
            if not c.up:
                continue
            for q in range(7):
                if q == p:
                    continue
                t = tops[q]
                if t is None and c.no == 13 and c.index > 0:
                    return ("drag", c, ("empty", q, (17 + 120 * q + 49, 67 + 72)))
                if alternating_fit(c, t):
                    return ("drag", c, t)
    return None


def spider_play(b):
    tops = {p: b.top("tableau", p) for p in range(10)}
    for p, c in tops.items():
        if not c or not c.up:
            continue
        for q, t in tops.items():
            if q != p and t and t.up and t.no == c.no + 1:
                return ("drag", c, t)
    return None


def neighbour(c, f):
    return f is not None and abs(c.no - f.no) == 1


def peaks_play(b, piles):
    f = b.top("foundation")
    for p in range(piles):
        c = b.top("tableau", p)
        if c and c.up and neighbour(c, f):
            return ("click", c)
    return None


# ---- carrying the plays out -------------------------------------------------------------

class Player:
    def __init__(self, g, table):
        self.g, self.table = g, table
        self.before_last = None

    def perform(self, b, play):
        """Carries one play out and checks that it took effect; the table after it."""
        kind, c = play[0], play[1]
        print("play: %s %s from %s %d" % (kind, c.name(), c.kind, c.pile), flush=True)
        moves = b.state["moves"]
        self.before_last = b
        if kind in ("home", "cell"):
            self.g.drag(grab_point(b, c), play[2])
        elif kind == "drag":
            target = play[2]
            if isinstance(target, tuple):
                dest, end = target[1], target[2]
            else:
                dest = target.pile
                end = next_place(target)
            self.g.drag(grab_point(b, c), end)
        elif kind == "click":
            self.g.click(*c.centre())
        after = self.settled(moves)
        where = located(after, c)
        check(after.state["moves"] > moves, "%s of %s made no move (moves %d; the card at %s)" % (
            kind, c.name(), moves, where))
        if kind == "home":
            check(any(k == "foundation" for k, _ in where), "%s did not go home: %s" % (c.name(), where))
        elif kind == "cell":
            check(not where, "%s did not leave the tableau for a free cell: %s" % (c.name(), where))
        elif kind == "drag":
            # Two-deck games hold each card twice: one copy must have come to the pile.
            check(len(after.pile("tableau", dest)) > len(b.pile("tableau", dest)) and
                  after.top("tableau", dest).name() == b.top("tableau", c.pile).name(),
                  "the drag of %s onto pile %d did not land" % (c.name(), dest))
        elif kind == "click":
            f = after.top("foundation")
            check(f and f.name() == c.name() and f.up and len(after.pile("foundation")) == len(b.pile("foundation")) + 1,
                  "the click on %s did not play it onto the discard pile" % c.name())
        return after

    def settled(self, moves):
        """The table at rest after a play. The counter takes the move at the next frame, so
        a report taken at once may show the cards moved and the counter not yet."""
        after = self.table.idle()
        if after.state["moves"] == moves:
            start = self.g.report()["frames"]
            wait_for(lambda: self.table.read().state["moves"] != moves or self.g.report()["frames"] >= start + 10)
            after = self.table.idle()
        return after

    def stock_click(self, b):
        stock = b.top("stock")
        check(stock, "the stock is empty")
        moves = b.state["moves"]
        self.before_last = b
        self.g.click(*stock.centre())
        after = self.settled(moves)
        check(after.state["moves"] == moves + 1, "a stock click is one move")
        return after

    def undo(self, b):
        check(b.state["undo"] == 1, "the undo button has nothing to undo")
        self.g.click(*UNDO)
        after = self.settled(b.state["moves"])
        check(after.places() == self.before_last.places(), "undo did not restore the table")
        check(after.state["moves"] != b.state["moves"], "the undo left the move counter")
        return after


def play_freecell(player, b):
    check([len(b.pile("tableau", p)) for p in range(8)] == [7, 7, 7, 7, 6, 6, 6, 6], "the deal's piles")
    check(all(c.up for c in b.cards) and not b.pile("stock"), "a FreeCell deal lies face up, no stock")
    cells = 0
    kinds = set()
    for _ in range(3):
        play = freecell_play(b, cells)
        check(play, "no FreeCell play found")
        b = player.perform(b, play)
        kinds.add(play[0])
        cells += play[0] == "cell"
    return player.undo(b)


def play_yukon(player, b):
    check([len(b.pile("tableau", p)) for p in range(7)] == [1, 6, 7, 8, 9, 10, 11], "the deal's piles")
    check([sum(c.up for c in b.pile("tableau", p)) for p in range(7)] == [1] + [5] * 6, "the deal's face-up cards")
    for _ in range(3):
        play = yukon_play(b)
        if not play:
            break
        b = player.perform(b, play)
    check(b.state["moves"] >= 2, "fewer than two Yukon plays found")
    return player.undo(b)


def play_spider(player, b):
    check([len(b.pile("tableau", p)) for p in range(10)] == [6] * 4 + [5] * 6, "the deal's piles")
    check(len(b.pile("stock")) == 50, "the deal left %d cards in the stock" % len(b.pile("stock")))
    dragged = dealt = False
    for _ in range(6):
        play = spider_play(b)
        if play and not dragged:
            b = player.perform(b, play)
            dragged = True
        elif not dealt:
            sizes = [len(b.pile("tableau", p)) for p in range(10)]
            b = player.stock_click(b)
            check(len(b.pile("stock")) == 40 and
                  [len(b.pile("tableau", p)) for p in range(10)] == [s + 1 for s in sizes] and
                  all(b.top("tableau", p).up for p in range(10)), "the stock click did not deal a card onto every pile")
            dealt = True
        else:
            break
    check(dragged and dealt, "no Spider drag found within the first plays")
    return player.undo(b)


def play_peaks(player, b, piles, sizes, stock):
    check([len(b.pile("tableau", p)) for p in range(piles)] == sizes, "the deal's piles")
    check(len(b.pile("stock")) == stock and len(b.pile("foundation")) == 1,
          "the deal left %d in the stock, %d on the discard pile" % (len(b.pile("stock")), len(b.pile("foundation"))))
    played = turned = 0
    for _ in range(20):
        if played >= 2 and turned:
            break
        play = peaks_play(b, piles)
        if play:
            b = player.perform(b, play)
            played += 1
        else:
            n = len(b.pile("stock"))
            b = player.stock_click(b)
            check(len(b.pile("stock")) == n - 1 and b.top("foundation").up, "the stock click turned no card")
            turned += 1
    check(played >= 2 and turned, "%d cards played and %d turned within the first plays" % (played, turned))
    return player.undo(b)


PLAYS = {
    "freecell": play_freecell,
    "spider": play_spider,
    "tripeaks": lambda p, b: play_peaks(p, b, 28, [1] * 28, 23),
    "yukon": play_yukon,
    "golf": lambda p, b: play_peaks(p, b, 7, [5] * 7, 16),
}


# ---- the screens around the game --------------------------------------------------------

def to_play_screen(g, screens, place):
    g.click(512, 400)
    g.wait_screen("NewPlayerScreen")
    screens.wait("new_player")
    g.type_text("bea", "NewPlayerScreen", lambda: screens.shows(g.look(), "new_player_named"))
    g.click(313 + 199, 660 + 48)
    g.wait_screen("MainMenuScreen")
    screens.wait("main_menu")
    g.click(313 + 199, 163 + 48)
    g.wait_screen("ChooseGameScreen")
    screens.wait("game_choice")
    g.click(20 + 165 * place + 77, 162 + 155)
    g.click(*CONTINUE)
    # A new profile shows the rules first; its continue button leads on.
    g.wait_screen("HowToPlayScreen")
    keep(screens.wait("how_to_play_play"), "games_rules_%d" % place)
    g.click(*CONTINUE)
    g.wait_screen("PlayScreen")
    screens.wait("play")


def switch_first_option(g, table, screens):
    g.click(*OPTIONS)
    table.when(lambda b: b.state["popup"], "the options popup did not open")
    g.let_game_run(510)  # its first 500 ms take no input

    def box():
        image = g.look()  # the pointer parked off the box
        return [image.pixel(x, y) for x in range(201, 241, 3) for y in range(268, 308, 3)]

    empty = box()
    g.click(*FIRST_BOX)
    until(lambda: box() != empty, "the first box did not change")
    keep(g.last_shot, "games_options")
    g.click(*APPLY)
    table.when(lambda b: not b.state["popup"], "the options popup did not close")
    screens.wait("play")


def quit_from_menu(g, screens):
    g.click(*MAIN_MENU)
    g.wait_screen("MainMenuScreen")
    screens.wait("main_menu")
    g.click(313 + 199, 571 + 48)
    screens.wait("quit")
    g.let_game_run(510)  # its first 500 ms take no input
    g.click(202 + 150, 466 + 50)
    rc = g.wait_exit(GUARD)
    check(rc == 0, "quitting gave status %s: %s" % (rc, g.err.decode(errors="replace")))


def run_game(exe, name):
    place, option_byte = GAMES[name]
    archive = archive_of(exe)
    with Game(exe) as g:
        run_to_ready(g, archive)
        screens, table = Screens(g, archive), Table(g)
        to_play_screen(g, screens, place)
        b = table.idle()
        check(b.state["undo"] == 0 and b.state["moves"] == 0, "a fresh deal has moves")
        keep(g.screenshot(), "games_%s_dealt" % name)
        PLAYS[name](Player(g, table), b)
        keep(g.screenshot(), "games_%s_played" % name)
        switch_first_option(g, table, screens)
        quit_from_menu(g, screens)
        p = read_player_file(os.path.join(g.home, ".config", SAVE_FOLDER, "player0.dat"))
        check(p["name"] == "bea", "the player file names %r" % p["name"])
        check(p["options"][option_byte] == 1, "the switched option is not saved: %s" % list(p["options"]))


CASES = {name: (lambda exe, n=name: run_game(exe, n)) for name in GAMES}

if __name__ == "__main__":
    sys.exit(main(CASES))
