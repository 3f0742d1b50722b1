#include "loc.h"

#include <ostream>

std::ostream& operator<<(std::ostream& out, Loc const& l) {
    static char const* const names[] = {"NONE", "TABLEAU", "STOCK", "WASTE", "FOUNDATION", "CELLS"};
    out << "(";
    if (l.kind >= 0 && l.kind < 6)
        out << names[l.kind];
    else
        out << l.kind;
    return out << " " << l.pile << " " << l.index << ")";
}
