// Chooses the piece painter of a member from its index name.

#include <cstdlib>
#include <string>

#include "painters.h"
#include "pieces.h"

namespace assetgen {
namespace {

bool starts_with(const std::string& s, const std::string& p) {
    return s.compare(0, p.size(), p) == 0;
}

// The number that starts at `pos` in `base` ("b3_1", 1 -> 3); -1 when there is none.
int number_after(const std::string& base, size_t pos) {
    if (pos >= base.size() || base[pos] < '0' || base[pos] > '9') return -1;
    return std::atoi(base.c_str() + pos);
}

}  // namespace

void paint_pieces(cairo_t* cr, int w, int h, const std::string& name) {
    std::string n = name;
    if (!n.empty() && n[0] == '.') n.erase(0, 1);
    const size_t slash = n.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : n.substr(0, slash + 1);
    std::string base = n.substr(slash == std::string::npos ? 0 : slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);

    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    if (dir == "i/game/cards/") {
        if (base == "glow") {
            pieces::card_glow(cr, w, h);
        } else if (starts_with(base, "back")) {
            pieces::card_back(cr, w, h, number_after(base, 4));
        } else {
            static const std::string suits = "cdhs";
            const size_t suit = suits.find(base.empty() ? '?' : base[0]);
            const int rank = number_after(base, 1);
            if (suit != std::string::npos && rank >= 0 && rank <= 12)
                pieces::card_face(cr, w, h, static_cast<int>(suit), rank);
        }
    } else if (dir == "i/game/particles/") {
        pieces::particle(cr, w, h, number_after(base, 1));
    } else if (dir == "i/game/bf/") {
        const size_t us = base.find('_');
        const int k = number_after(base, 1);
        const int f = us == std::string::npos ? 0 : number_after(base, us + 1);
        pieces::butterfly(cr, w, h, k < 0 ? 0 : k, f < 0 ? 0 : f);
    } else if (dir == "i/game/bg/") {
        pieces::table_background(cr, w, h, number_after(base, 2));
    } else if (dir == "i/game/o/") {
        if (starts_with(base, "overlay_")) pieces::pile_overlay(cr, w, h, base.substr(8));
    } else if (n == "i/game/reset.png" || n == "i/game/reset_over.png") {
        pieces::redeal_button(cr, w, h, base == "reset_over");
    } else if (n == "i/menu/cursor_normal.png" || n == "i/menu/cursor_click.png") {
        pieces::pointer(cr, w, h, base == "cursor_click");
    } else if (n == "i/menu/cursor.png") {
        pieces::caret(cr, w, h);
    }
    cairo_restore(cr);
}

}  // namespace assetgen
