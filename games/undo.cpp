#include "undo.h"

UndoStep* UndoStep::create_move(Loc const& from, Loc const& to) { return new UndoStep(from, to, MOVE); }

UndoStep* UndoStep::create_flip(Loc const& l) { return new UndoStep(l, l, FLIP); }

UndoStep* UndoStep::create_chunk_start() { return new UndoStep(Loc(), Loc(), CHUNK_START); }

UndoStep* UndoStep::create_chunk_end() { return new UndoStep(Loc(), Loc(), CHUNK_END); }

UndoMove::~UndoMove() {
    for (UndoStep* s : steps) delete s;
}

void UndoMove::add_move(Loc const& from, Loc const& to) { steps.push_back(UndoStep::create_move(from, to)); }

void UndoMove::add_flip(Loc const& l) { steps.push_back(UndoStep::create_flip(l)); }

void UndoMove::add_chunk_start() { steps.push_back(UndoStep::create_chunk_start()); }

void UndoMove::add_chunk_end() { steps.push_back(UndoStep::create_chunk_end()); }

void UndoMove::add_special(UndoSpecial* s) {
    if (s) steps.push_back(s);
}
