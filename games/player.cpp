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
    // The name, up to max_namlen characters of it; characters the name entry cannot type
    // are dropped, and reading goes on at the field behind the stored string. The stored
    // count tells where the string ends wherever it can be right: the rest of a whole
    // profile (`tail` bytes) fits behind it and it ends at a zero byte, so that bytes after
    // a whole profile change nothing. Otherwise the file's size less `tail` tells it where
    // that ends at a zero byte (for a count of 0, behind a name); else a file cut behind
    // the name, or a name without its zero, is read by its count. A name that cannot be
    // placed (a cut inside it) stops the reader with the target at its value.
    void name(std::string& v, long tail) {
        std::uint32_t count = 0;
        u32(count);
        if (!ok_) return;
        long const here = std::ftell(f_);
        long const left = bytes_left();
        if (here < 0 || left < 0) {
            ok_ = false;
            return;
        }
        long const n = static_cast<long>(count), by_size = left - tail;
        long span = -1;
        if (n > 0 && n <= left - tail && zero_at(here + n - 1))
            span = n;
        else if (by_size > 0 && zero_at(here + by_size - 1) && (n > 0 || no_zero_in(here, by_size - 1)))
            span = by_size;  // a whole file whose count is damaged
        else if (n == 0 && left > 0)
            span = 0;
        else if (n > 0 && n <= left)
            span = n;
        else if (n > 0 && by_size >= 0)
            span = by_size;
        if (span < 0) {
            ok_ = false;
            return;
        }
        char buf[Player::max_namlen];
        std::size_t const keep = std::min<std::size_t>(span > 0 ? static_cast<std::size_t>(span - 1) : 0, sizeof buf);
        if (std::fseek(f_, here, SEEK_SET) != 0 || std::fread(buf, 1, keep, f_) != keep ||
            std::fseek(f_, here + span, SEEK_SET) != 0) {
            ok_ = false;
            return;
        }
        std::string s;
        for (std::size_t i = 0; i < keep; ++i)
            if (buf[i] >= ' ' && buf[i] <= '~') s += buf[i];
        v = s;
    }

    // Bytes from here to the end, or -1 when the stream cannot tell.
    long bytes_left() {
        long here = std::ftell(f_);
        if (here < 0 || std::fseek(f_, 0, SEEK_END) != 0) return -1;
        long end = std::ftell(f_);
        if (std::fseek(f_, here, SEEK_SET) != 0) return -1;
        return end < here ? -1 : end - here;
    }

private:
    bool zero_at(long at) {
        long here = std::ftell(f_);
        bool zero = std::fseek(f_, at, SEEK_SET) == 0 && std::fgetc(f_) == 0;
        std::fseek(f_, here, SEEK_SET);
        return zero;
    }

    // Whether the `len` bytes at `at` are a name: one or more bytes, none of them zero.
    bool no_zero_in(long at, long len) {
        if (len < 1 || len > static_cast<long>(E2::io::max_string_count)) return false;
        long here = std::ftell(f_);
        bool none = std::fseek(f_, at, SEEK_SET) == 0;
        for (long i = 0; none && i < len; ++i) {
            int c = std::fgetc(f_);
            none = c != 0 && c != EOF;
        }
        std::fseek(f_, here, SEEK_SET);
        return none;
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

// A profile's bytes as Player::save writes them, or "" where they cannot be computed.
std::string serialized(Player const& p) {
    return E2::io::bytes_of([&p](FILE* f) { p.save(f); });
}

// The bytes that follow the name in a whole profile file: score, two times, two flags, the
// show-rules flags, game, card back, background, the statistics, eight reserved words and
// the rule options.
constexpr long bytes_behind_name =
    3 * 4 + 2 + Player::entry_count + 3 * 4 + Player::entry_count * 6 * 4 + 8 * 4 + rule_options_size;

// How the end of a line about an unreadable player file reads.
char const* const kept_until = "a player is saved in that slot";

// Each slot's profile as it stood once every file was read (and as it was last saved): a
// slot is written only when its profile differs, so a run that changed nothing never
// writes over another instance's save or a restored file, and what the reader dropped or
// corrected is not lost. A slot that read no profile (no file, or one that could not be
// read) is compared without the rule options, which every profile carries but which are
// not its own: its file is made, or the unreadable one kept aside, once a player is made
// in the slot.
struct AsRead {
    std::string path, bytes;
    bool unread = false;
};
AsRead as_read[Player::slot_count];

// What a slot's profile is compared by.
std::string compared_bytes(Player const& p, bool unread) {
    std::string b = serialized(p);
    if (unread && b.size() >= static_cast<std::size_t>(rule_options_size)) b.resize(b.size() - rule_options_size);
    return b;
}

// Bytes that cannot be computed never count as unchanged.
bool unchanged_since_read(unsigned i, std::string const& path, Player const& p) {
    AsRead const& r = as_read[i];
    if (r.path.empty() || r.path != path) return false;
    std::string const now = compared_bytes(p, r.unread);
    return !now.empty() && now == r.bytes;
}

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

bool Player::read(FILE* f, bool* whole) {
    if (whole) *whole = false;
    if (E2::io::read_ui32(f) != magic) return false;
    in_progress = false;
    FieldReader r(f);
    r.skip_u32();
    r.name(name, bytes_behind_name);
    bool const named = r.ok();
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
    // Only a whole option section is read: a profile cut short is never the source of the
    // options the other profiles take.
    if (r.ok() && r.bytes_left() >= rule_options_size) {
        read_rule_options(f);
        if (whole) *whole = named;
    }
    return named;
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
        std::string const path = filename(i);
        if (unchanged_since_read(i, path, *p)) continue;
        if (E2::io::save_file_atomically(path, [p](FILE* f) { p->save(f); }))
            as_read[i] = {path, serialized(*p), false};
        else
            all = false;
    }
    return all;
}

void Player::read_all() {
    bool unread[slot_count] = {};
    for (unsigned i = 0; i < slot_count; ++i) {
        Player* p = get(i);
        p->clear();
        // The files decide which slot is current.
        p->is_current = false;
        std::string const path = filename(i);
        FILE* f = E2::io::open_record(path, nullptr, kept_until);
        bool named = false;
        if (f) {
            bool whole = false;
            named = p->read(f, &whole);
            bool const empty_file = std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) == 0;
            std::fclose(f);
            if (!named && !empty_file)
                E2::io::record_unreadable(path, "not a player file, or damaged where it names the player", kept_until);
            else if (named && !whole)
                E2::io::record_unreadable(path, "cut short: the fields it lacks take their defaults", kept_until);
        }
        unread[i] = !named;
    }
    for (unsigned i = 0; i < slot_count; ++i) {
        if (get(i)->is_current) {
            set_cur(i);
            break;
        }
    }
    // Taken once every file is read, with the rule options in force.
    for (unsigned i = 0; i < slot_count; ++i)
        as_read[i] = {filename(i), compared_bytes(*get(i), unread[i]), unread[i]};
}

std::uint32_t Player::tm_total_all() {
    std::uint32_t sum = 0;
    for (unsigned i = 0; i < slot_count; ++i) {
        std::uint32_t v = get(i)->total_ms;
        if (sum < total_ms_limit && v < total_ms_limit) sum += v;
    }
    return sum;
}
