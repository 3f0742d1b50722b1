// Recording actions, scoring and undo.

#include <algorithm>

#include "card_sprite.h"
#include "solitaire_rules.h"
#include "undo.h"

void SolitaireRules::initiate_move_sequence() {
    undo_stack.push_back(new UndoMove);
    recording = true;
}

void SolitaireRules::finalize_move_sequence() { recording = false; }

void SolitaireRules::report_move_step(Loc const& from, Loc const& to) {
    if (recording && !undo_stack.empty()) undo_stack.back()->add_move(from, to);
}

void SolitaireRules::report_flip_step(Loc const& l) {
    if (recording && !undo_stack.empty()) undo_stack.back()->add_flip(l);
}

void SolitaireRules::initiate_chunk() {
    if (recording && !undo_stack.empty()) undo_stack.back()->add_chunk_start();
}

void SolitaireRules::finalize_chunk() {
    if (recording && !undo_stack.empty()) undo_stack.back()->add_chunk_end();
}

void SolitaireRules::report_score(int delta) {
    if (recording && !undo_stack.empty()) undo_stack.back()->score += delta;
    pending_score += delta;
}

int SolitaireRules::score_if_dropped(CardSprite const& c, Loc const& from, Loc const& to) {
    int value = 11 * c.no();
    if (to.kind == Loc::FOUNDATION) return value;
    if (from.kind == Loc::FOUNDATION) return -value;
    return 0;
}

bool SolitaireRules::may_undo() { return !undo_stack.empty(); }

void SolitaireRules::undo() {
    if (undo_stack.empty()) return;
    UndoMove* m = undo_stack.back();
    undo_stack.pop_back();
    pending_score -= m->score;
    pending_moves += 1;
    anim = AnimProfile(AnimProfile::UNDO, 0, 0);

    std::vector<CardSprite*> held;
    auto take_held = [&held]() {
        CardSprite* c = held.back();
        held.pop_back();
        return c;
    };
    std::vector<UndoStep*>& steps = m->steps;
    while (!steps.empty()) {
        UndoStep* s = steps.back();
        steps.pop_back();
        switch (s->op) {
            case UndoStep::MOVE: {
                CardSprite* c = held.empty() ? remove_card_from(s->to) : take_held();
                move_to(c, s->to, s->from, false);
                break;
            }
            case UndoStep::FLIP:
                // A turned card stays where it lies, also inside a chunk: the held cards
                // belong to the chunk's moves.
                flip_at(card_at(s->to), s->to, false);
                break;
            case UndoStep::CHUNK_END: {
                // Every card of the chunk comes off, the top first, before any goes back;
                // the chunk then replays in its recorded order, bottom card first.
                auto start = steps.end();
                while (start != steps.begin() && (*(start - 1))->op != UndoStep::CHUNK_START) {
                    --start;
                    if ((*start)->op == UndoStep::MOVE) held.push_back(remove_card_from((*start)->to));
                }
                if (start != steps.begin()) --start;
                std::reverse(start, steps.end());
                break;
            }
            case UndoStep::SPECIAL:
                if (auto* special = dynamic_cast<UndoSpecial*>(s)) (*special)();
                break;
            case UndoStep::CHUNK_START:
            default:
                break;
        }
        delete s;
    }
    delete m;
}
