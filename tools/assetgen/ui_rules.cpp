#include "ui_rules.h"

namespace assetgen {
namespace ui {
namespace {

const char* const kPluck = "{Allow taking cards back from the foundations:}";
const char* const kCorner = "{Turn the corner (King-Ace):}";
const char* const kSingle = "{Single-click play:}";

RuleSection controls(bool foundation_first) {
    return {
        "Playing",
        {"*Drag cards with the mouse.",
         foundation_first ? "*Double-click a card to send it to its best place, a foundation first."
                          : "*Double-click a card to send it to its best place.",
         "*Undo has no limit: you can take back every move."}};
}

std::vector<RuleSection> klondike() {
    return {
        {"The deal",
         {"One deck of 52 cards. Seven piles are dealt with 1 to 7 cards; only the top card of "
          "each pile lies face up. The other 24 cards form the stock."}},
        {"Moving cards",
         {"*Build the piles down in alternating colours: a card goes on a card one rank higher "
          "of the other colour.",
          "*A face-up card can be moved together with all the cards lying on it.",
          "*Only a King may go onto an empty pile.",
          "*Single cards go to the four foundations, built up by suit from the Ace to the King.",
          "*A face-down card left on top of a pile turns face up."}},
        {"The stock",
         {"Click the stock to turn three cards onto the waste; the top card of the waste can "
          "be played. When the stock is empty, the round arrow turns the waste back into the "
          "stock: twice in a game, or without limit with the option."}},
        {"Winning",
         {"Move all 52 cards to the foundations. When the stock and the waste are empty and "
          "every pile is face up and in order, the game finishes itself."}},
        {"Options",
         {std::string("*") + kPluck + " the top card of a foundation may go back to a pile.",
          "*{Draw one card at a time:} the stock turns one card instead of three.",
          "*{Unlimited redeals:} the waste can go back to the stock any number of times."}},
        {"Scoring",
         {"Each card put on a foundation scores 11 times its rank (Ace 11, King 143); a card "
          "taken back loses it again."}},
        controls(true),
    };
}

std::vector<RuleSection> freecell() {
    return {
        {"The deal",
         {"One deck of 52 cards is dealt face up onto eight piles: four of seven cards and "
          "four of six. Above them lie four free cells and four foundations. There is no "
          "stock."}},
        {"Moving cards",
         {"*Build the piles down in alternating colours: a card goes on a card one rank higher "
          "of the other colour.",
          "*A run in alternating colours moves as one, however long it is and however many "
          "cells are free: even with every cell taken.",
          "*Any card or run may go onto an empty pile.",
          "*A free cell holds one single card; a card in a cell can go to a pile or a "
          "foundation, but not to another cell.",
          "*Single cards go to the foundations, built up by suit from the Ace to the King."}},
        {"Winning",
         {"Move all 52 cards to the foundations. When every cell is free and every pile is in "
          "order, the game finishes itself."}},
        {"Options",
         {std::string("*") + kPluck +
          " the top card of a foundation may go back to a pile or a free cell."}},
        {"Scoring",
         {"Each card put on a foundation scores 11 times its rank (Ace 11, King 143); a card "
          "taken back loses it again."}},
        controls(true),
    };
}

std::vector<RuleSection> spider() {
    return {
        {"The deal",
         {"Two decks, 104 cards. Ten piles are dealt: four of six cards and six of five, only "
          "the top card face up. The other 50 cards form the stock."}},
        {"Moving cards",
         {"*A card goes on any card one rank higher, whatever its suit, or onto an empty pile.",
          "*Cards in order and all of one suit can be moved together as a run.",
          "*A face-down card left on top of a pile turns face up."}},
        {"The stock",
         {"Click the stock to deal one card onto each of the ten piles, even onto empty ones: "
          "five deals in all."}},
        {"Complete runs",
         {"A run of one suit from the King down to the Ace leaves the table by itself after "
          "the move that completes it and goes to a foundation. A run completed by a deal from "
          "the stock goes after your next move."}},
        {"Winning",
         {"The game is won when all eight runs, all 104 cards, lie on the foundations."}},
        {"Options",
         {"*{Two suits:} every red card becomes a heart and every black card a club; this "
          "takes effect at the next deal."}},
        {"Scoring",
         {"Each completed run scores 1300. Moves between the piles score nothing; undoing a "
          "move that completed a run takes the 1300 back."}},
        controls(false),
    };
}

std::vector<RuleSection> tripeaks() {
    return {
        {"The deal",
         {"28 cards form three overlapping peaks; the ten cards of the bottom row lie face up. "
          "One card starts the discard pile and the other 23 form the stock."}},
        {"Moving cards",
         {"*Play a face-up card onto the discard pile when its rank is one above or one below "
          "the top card, whatever the suit: on a 7 goes a 6 or an 8.",
          "*A card turns face up when both cards covering it are gone.",
          "*An Ace and a King do not follow each other, unless the corner option is on."}},
        {"The stock",
         {"Click the stock to turn its top card onto the discard pile. The stock is turned "
          "once, with no redeal."}},
        {"Winning",
         {"Clear all 28 cards from the peaks. The game is won even with cards left in the "
          "stock. It does not finish by itself."}},
        {"Options",
         {std::string("*") + kCorner +
              " an Ace and a King count as neighbours, so play can turn from King to Ace and "
              "back.",
          std::string("*") + kSingle +
              " pressing a playable card plays it at once, without dragging it (on at "
              "start)."}},
        {"Scoring",
         {"Each card put on the discard pile scores 11 times its rank (Ace 11, King 143); "
          "undoing takes it back. Turning a stock card scores nothing."}},
        {"Playing",
         {"*Drag cards with the mouse, or click them with single-click play.",
          "*Double-click a card to send it to its best place, the discard pile.",
          "*Undo has no limit: you can take back every move."}},
    };
}

std::vector<RuleSection> yukon() {
    return {
        {"The deal",
         {"One deck of 52 cards on seven piles. The first pile holds one face-up card; each "
          "other pile holds 1 to 6 face-down cards under five face-up ones. There is no stock; "
          "the four foundations stand at the right."}},
        {"Moving cards",
         {"*Any face-up card can be moved together with all the cards on top of it, whatever "
          "their order.",
          "*The card you move must go on a card one rank higher of the other colour.",
          "*Only a King, with whatever lies on it, may go onto an empty pile.",
          "*Single cards go to the foundations, built up by suit from the Ace to the King.",
          "*A face-down card left on top of a pile turns face up."}},
        {"Winning",
         {"Move all 52 cards to the foundations. When every card is face up and every pile is "
          "in order, the game finishes itself."}},
        {"Options",
         {std::string("*") + kPluck + " the top card of a foundation may go back to a pile."}},
        {"Scoring",
         {"Each card put on a foundation scores 11 times its rank (Ace 11, King 143); a card "
          "taken back loses it again."}},
        controls(true),
    };
}

std::vector<RuleSection> golf() {
    return {
        {"The deal",
         {"Seven piles of five cards, all face up. One card starts the discard pile and the "
          "other 16 form the stock."}},
        {"Moving cards",
         {"*Play the top card of any pile onto the discard pile when its rank is one above or "
          "one below the top card, whatever the suit.",
          "*A Queen may follow a King, and a King a Queen. An Ace takes only a Two, unless the "
          "corner option is on.",
          "*Only the top cards can be played; cards never move from pile to pile."}},
        {"The stock",
         {"Click the stock to turn its top card onto the discard pile. The stock is turned "
          "once, with no redeal."}},
        {"Winning",
         {"Clear all seven piles. The game is won even with cards left in the stock. It does "
          "not finish by itself."}},
        {"Options",
         {std::string("*") + kCorner + " an Ace and a King follow each other too.",
          std::string("*") + kSingle +
              " pressing a playable card plays it at once, without dragging it (on at "
              "start)."}},
        {"Scoring",
         {"Each card put on the discard pile scores 11 times its rank (Ace 11, King 143); "
          "undoing takes it back. Turning a stock card scores nothing."}},
        {"Playing",
         {"*Drag cards with the mouse, or click them with single-click play.",
          "*Double-click a card to send it to its best place, the discard pile.",
          "*Undo has no limit: you can take back every move."}},
    };
}

}  // namespace

std::vector<RuleSection> rules_of(int game) {
    switch (game) {
        case 0: return klondike();
        case 1: return freecell();
        case 2: return spider();
        case 3: return tripeaks();
        case 4: return yukon();
        default: return golf();
    }
}

}  // namespace ui
}  // namespace assetgen
