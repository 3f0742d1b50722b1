#pragma once
// The address of a card place: a kind of place, a pile and a position in it.

#include <cstdint>
#include <iosfwd>

struct Loc {
    enum Kind : std::int32_t { NONE = 0, TABLEAU = 1, STOCK = 2, WASTE = 3, FOUNDATION = 4, CELLS = 5 };

    // TABLEAU, FOUNDATION: pile number and position (0 = bottom). STOCK, WASTE: `pile` is
    // the position and `index` 0. CELLS: `pile` is the cell. NONE: no place.
    Loc() = default;
    Loc(std::int32_t kind_, std::int32_t pile_, std::int32_t index_) : kind(kind_), pile(pile_), index(index_) {}

    bool operator==(Loc const& o) const { return kind == o.kind && pile == o.pile && index == o.index; }
    bool operator!=(Loc const& o) const { return !(*this == o); }

    std::int32_t kind = NONE;
    std::int32_t pile = 0;
    std::int32_t index = 0;
};

// "(TABLEAU 3 5)".
std::ostream& operator<<(std::ostream& out, Loc const& l);
