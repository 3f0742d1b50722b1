#include "player.h"

#include <algorithm>

#include "io.h"
#include "os.h"
#include "rule_options.h"
#include "save_file.h"

Player* Player::_cur = nullptr;

namespace {

char const* const save_folder = "Quorlan Games/Lunerra Solitaire";

// Reads fields until the file runs short; from then on the targets keep their values.
class FieldReader {
public:
    explicit FieldReader(FILE* f) : f_(f) {}
    bool ok() const { return ok_; }

    void u32(std::uint32_t& v) { take(v, E2::io::read_ui32(f_)); }
    void i32(std::int32_t& v) { take(v, E2::io::read_i32(f_)); }
    void flag(bool& v) { take(v, E2::io::read_ui8(f_) != 0); }
    void skip_u32() {
        std::uint32_t ignored = 0;
        u32(ignored);
    }
    // The name: a count of more than max_namlen characters is damaged, and so is a body
    // cut short or an empty name with nothing behind it (a cut); the reader then stops
    // with the target at its value. Characters the name entry cannot type are dropped.
    void name(std::string& v) {
        std::uint32_t count = 0;
        u32(count);
        if (!ok_) return;
        if (count == 0) {
            ok_ = more_bytes();
            if (ok_) v.clear();
            return;
        }
        char buf[Player::max_namlen + 1];
        if (count > sizeof buf || std::fread(buf, 1, count, f_) != count) {
            ok_ = false;
            return;
        }
        std::string s;
        for (std::uint32_t i = 0; i + 1 < count; ++i)
            if (buf[i] >= ' ' && buf[i] <= '~') s += buf[i];
        v = s;
    }

private:
    bool more_bytes() {
        int c = std::fgetc(f_);
        if (c == EOF) return false;
        std::ungetc(c, f_);
        return true;
    }

    template <typename T, typename V>
    void take(T& target, V value) {
        if (!ok_) return;
        if (std::feof(f_) || std::ferror(f_)) {
            ok_ = false;
            return;
        }
        target = value;
    }

    FILE* f_;
    bool ok_ = true;
};

}  // namespace

void Player::Stats::clear() {
    played = 0;
    won = 0;
    best_score = 0;
    best_time = no_best_time;
    avg_time = 0;
    fewest_moves = no_fewest_moves;
}

void Player::Stats::record_win(std::int32_t game_score, std::uint32_t ms, std::int32_t moves) {
    if (won != UINT32_MAX) ++won;
    best_score = std::max(best_score, game_score);
    std::uint32_t secs = ms / 1000;
    best_time = std::min(best_time, secs);
    // 64-bit so that the product cannot overflow; won is at least 1 here.
    std::uint64_t sum = (std::uint64_t(won) - 1) * avg_time + secs;
    avg_time = static_cast<std::uint32_t>(sum / won);
    fewest_moves = std::min(fewest_moves, moves);
}

void Player::clear() {
    name = "empty";
    score = 0;
    game_ms = 0;
    total_ms = 0;
    in_progress = false;
    fresh = true;
    game = KLONDIKE;
    card_back = 0;
    std::fill(std::begin(show_rules), std::end(show_rules), true);
    bg_counter = 0;
    for (Stats& s : stats) s.clear();
}

void Player::new_game() {
    score = 0;
    game_ms = 0;
    in_progress = true;
    std::uint32_t& played = stats[game < entry_count ? static_cast<unsigned>(game) : 0u].played;
    if (played != UINT32_MAX) ++played;
}

void Player::save(FILE* f) const {
    using namespace E2::io;
    write_ui32(f, magic);
    write_ui32(f, 0);
    write_string(f, name);
    write_i32(f, score);
    write_ui32(f, game_ms);
    write_ui32(f, total_ms);
    write_ui8(f, fresh ? 1 : 0);
    write_ui8(f, is_current ? 1 : 0);
    for (bool b : show_rules) write_ui8(f, b ? 1 : 0);
    write_ui32(f, game);
    write_ui32(f, card_back);
    write_ui32(f, bg_counter);
    for (Stats const& s : stats) {
        write_ui32(f, s.played);
        write_ui32(f, s.won);
        write_i32(f, s.best_score);
        write_ui32(f, s.best_time);
        write_ui32(f, s.avg_time);
        write_i32(f, s.fewest_moves);
    }
    for (int i = 0; i < 4; ++i) write_ui32(f, 0);
    for (int i = 0; i < 4; ++i) write_i32(f, 0);
    save_rule_options(f);
}

void Player::read(FILE* f) {
    if (E2::io::read_ui32(f) != magic) return;
    in_progress = false;
    FieldReader r(f);
    r.skip_u32();
    r.name(name);
    r.i32(score);
    r.u32(game_ms);
    r.u32(total_ms);
    r.flag(fresh);
    r.flag(is_current);
    for (bool& b : show_rules) r.flag(b);
    // The game type and card back index tables: out-of-range values read as 0.
    std::uint32_t g = game;
    r.u32(g);
    game = g < game_count ? static_cast<Game_Type>(g) : KLONDIKE;
    r.u32(card_back);
    if (card_back >= card_back_count) card_back = 0;
    r.u32(bg_counter);
    for (Stats& s : stats) {
        r.u32(s.played);
        r.u32(s.won);
        r.i32(s.best_score);
        std::uint32_t best = s.best_time;
        r.u32(best);
        s.best_time = best == 0 ? no_best_time : best;
        r.u32(s.avg_time);
        // A move count below 1 is none.
        std::int32_t fewest = s.fewest_moves;
        r.i32(fewest);
        s.fewest_moves = fewest < 1 ? no_fewest_moves : fewest;
    }
    for (int i = 0; i < 8; ++i) r.skip_u32();
    // A profile cut short carries no option section.
    if (r.ok()) read_rule_options(f);
}

Player* Player::plist() {
    static Player* slots = new Player[slot_count];
    return slots;
}

Player* Player::get(unsigned i) { return i < slot_count ? &plist()[i] : nullptr; }

Player* Player::cur() {
    if (!_cur) _cur = plist();
    return _cur;
}

void Player::set_cur(unsigned i) {
    if (i >= slot_count) return;
    Player* slots = plist();
    for (unsigned k = 0; k < slot_count; ++k) slots[k].is_current = false;
    _cur = &slots[i];
    _cur->fresh = false;
    _cur->is_current = true;
}

void Player::delete_i(unsigned i) {
    if (i < slot_count) plist()[i].clear();
}

std::string Player::filename(unsigned i) {
    E2::OS* os = E2::os();
    return os->filepath_merge(os->conf_dir(save_folder), "player" + std::to_string(i) + ".dat");
}

bool Player::save_all() {
    bool all = true;
    for (unsigned i = 0; i < slot_count; ++i) {
        Player const* p = get(i);
        all = E2::io::save_file_atomically(filename(i), [p](FILE* f) { p->save(f); }) && all;
    }
    return all;
}

void Player::read_all() {
    for (unsigned i = 0; i < slot_count; ++i) {
        Player* p = get(i);
        p->clear();
        // The files decide which slot is current.
        p->is_current = false;
        if (FILE* f = std::fopen(filename(i).c_str(), "rb")) {
            p->read(f);
            std::fclose(f);
        }
    }
    for (unsigned i = 0; i < slot_count; ++i) {
        if (get(i)->is_current) {
            set_cur(i);
            break;
        }
    }
}

std::uint32_t Player::tm_total_all() {
    std::uint32_t sum = 0;
    for (unsigned i = 0; i < slot_count; ++i) {
        std::uint32_t v = get(i)->total_ms;
        if (sum < total_ms_limit && v < total_ms_limit) sum += v;
    }
    return sum;
}
