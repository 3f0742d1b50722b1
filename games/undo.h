#pragma once
// Undo entries: the elementary steps of one player action, in the order performed,
// with the score it earned.

#include <cstdint>
#include <vector>

#include "loc.h"

class UndoStep {
public:
    enum OP : std::int32_t {
        MOVE = 0,         // a card went from `from` to `to`
        FLIP = 1,         // the card at `to` was turned; `from` equals `to`
        CHUNK_START = 2,  // markers around the moves of cards that travelled together
        CHUNK_END = 3,
        SPECIAL = 4,      // an UndoSpecial
    };

    UndoStep(Loc const& from_, Loc const& to_, UndoStep::OP op_) : op(op_), from(from_), to(to_) {}
    UndoStep(UndoStep const&) = default;
    UndoStep& operator=(UndoStep const&) = default;
    virtual ~UndoStep() = default;

    bool operator==(UndoStep const& o) const { return op == o.op && from == o.from && to == o.to; }

    static UndoStep* create_move(Loc const& from, Loc const& to);
    static UndoStep* create_flip(Loc const& l);
    static UndoStep* create_chunk_start();
    static UndoStep* create_chunk_end();

    OP op;
    Loc from;
    Loc to;
};

// A game's own step: undo calls it instead of moving cards.
class UndoSpecial : public UndoStep {
public:
    UndoSpecial() : UndoStep(Loc(), Loc(), SPECIAL) {}
    virtual void operator()() = 0;
};

class UndoMove {
public:
    UndoMove() = default;
    ~UndoMove();
    UndoMove(UndoMove const&) = delete;
    UndoMove& operator=(UndoMove const&) = delete;

    void add_move(Loc const& from, Loc const& to);
    void add_flip(Loc const& l);
    void add_chunk_start();
    void add_chunk_end();
    // Takes ownership of the step.
    void add_special(UndoSpecial* s);

    std::vector<UndoStep*> steps;  // owned, in the order performed
    std::int32_t score = 0;
};
