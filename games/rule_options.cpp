#include "rule_options.h"

#include "io.h"

bool KlondikeOptions::opt_may_pluck_from_foundation = false;
bool KlondikeOptions::opt_flip_1 = false;
bool KlondikeOptions::opt_unlimited_redeals = false;
bool FreeCellOptions::opt_may_pluck_from_foundation = false;
bool SpiderOptions::opt_two_suits = false;
bool TriPeaksOptions::opt_may_turn_corner = false;
bool TriPeaksOptions::opt_single_click_activation = true;
bool YukonOptions::opt_may_pluck_from_foundation = false;
bool GolfOptions::opt_may_turn_corner = false;
bool GolfOptions::opt_single_click_activation = true;

namespace {

void put(FILE* f, bool b) { E2::io::write_ui8(f, b ? 1 : 0); }
bool get(FILE* f) { return E2::io::read_ui8(f) != 0; }

void put_reserved(FILE* f) {
    for (int i = 0; i < 3; ++i) E2::io::write_ui8(f, 0);
}

void skip_reserved(FILE* f) {
    for (int i = 0; i < 3; ++i) E2::io::read_ui8(f);
}

// Whether another byte follows. The stream's end-of-file indicator is set only by a read
// that already failed, so a file ending right here would not show it yet: peek instead.
bool more_bytes(FILE* f) {
    int c = std::fgetc(f);
    if (c == EOF) return false;
    std::ungetc(c, f);
    return true;
}

}  // namespace

void KlondikeOptions::save(FILE* f) {
    put(f, opt_flip_1);
    put(f, opt_unlimited_redeals);
    put(f, opt_may_pluck_from_foundation);
    put_reserved(f);
}

void KlondikeOptions::read(FILE* f) {
    opt_flip_1 = get(f);
    opt_unlimited_redeals = get(f);
    opt_may_pluck_from_foundation = get(f);
    skip_reserved(f);
}

void FreeCellOptions::save(FILE* f) {
    put(f, opt_may_pluck_from_foundation);
    put_reserved(f);
}

void FreeCellOptions::read(FILE* f) {
    opt_may_pluck_from_foundation = get(f);
    skip_reserved(f);
}

void SpiderOptions::save(FILE* f) {
    put(f, opt_two_suits);
    put_reserved(f);
}

void SpiderOptions::read(FILE* f) {
    opt_two_suits = get(f);
    skip_reserved(f);
}

void TriPeaksOptions::save(FILE* f) {
    put(f, opt_may_turn_corner);
    put(f, opt_single_click_activation);
    put_reserved(f);
}

void TriPeaksOptions::read(FILE* f) {
    if (!more_bytes(f)) return;
    opt_may_turn_corner = get(f);
    opt_single_click_activation = get(f);
    skip_reserved(f);
}

void YukonOptions::save(FILE* f) {
    put(f, opt_may_pluck_from_foundation);
    put_reserved(f);
}

void YukonOptions::read(FILE* f) {
    opt_may_pluck_from_foundation = get(f);
    skip_reserved(f);
}

void GolfOptions::save(FILE* f) {
    put(f, opt_may_turn_corner);
    put(f, opt_single_click_activation);
    put_reserved(f);
}

void GolfOptions::read(FILE* f) {
    if (!more_bytes(f)) return;
    opt_may_turn_corner = get(f);
    opt_single_click_activation = get(f);
    skip_reserved(f);
}

void save_rule_options(FILE* f) {
    KlondikeOptions::save(f);
    FreeCellOptions::save(f);
    SpiderOptions::save(f);
    TriPeaksOptions::save(f);
    YukonOptions::save(f);
    GolfOptions::save(f);
}

void read_rule_options(FILE* f) {
    KlondikeOptions::read(f);
    FreeCellOptions::read(f);
    SpiderOptions::read(f);
    TriPeaksOptions::read(f);
    YukonOptions::read(f);
    GolfOptions::read(f);
}

void reset_rule_options() {
    KlondikeOptions::opt_may_pluck_from_foundation = false;
    KlondikeOptions::opt_flip_1 = false;
    KlondikeOptions::opt_unlimited_redeals = false;
    FreeCellOptions::opt_may_pluck_from_foundation = false;
    SpiderOptions::opt_two_suits = false;
    TriPeaksOptions::opt_may_turn_corner = false;
    TriPeaksOptions::opt_single_click_activation = true;
    YukonOptions::opt_may_pluck_from_foundation = false;
    GolfOptions::opt_may_turn_corner = false;
    GolfOptions::opt_single_click_activation = true;
}
