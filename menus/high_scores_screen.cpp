#include "high_scores_screen.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

#include "event_predicates.h"
#include "foot_button.h"
#include "glyph_set.h"
#include "io.h"
#include "loader.h"
#include "main_menu_screen.h"
#include "os.h"
#include "player.h"
#include "save_file.h"
#include "transition.h"

namespace {

char const* const save_folder = "Quorlan Games/Lunerra Solitaire";

unsigned players_game() {
    unsigned g = Player::cur()->game;
    return g < HighScoresScreen::table_count ? g : 0;
}

// Longer than any score text the table writes ("-2147483648"), with room to spare.
constexpr std::size_t max_score_bytes = 32;

// A string as E2::io::read_string reads it, of which only the first `keep` bytes are held
// and the rest of the body is passed over. A body cut short by the end of the file, or
// announced larger than any string is, reads as empty and clears `whole`.
std::string read_clipped(FILE* f, std::size_t keep, bool& whole) {
    auto cut = [&whole] {
        whole = false;
        return std::string();
    };
    unsigned char head[4];
    if (std::fread(head, 1, 4, f) != 4) return cut();
    std::uint32_t count =
        (std::uint32_t(head[0]) << 24) | (std::uint32_t(head[1]) << 16) | (std::uint32_t(head[2]) << 8) | head[3];
    if (count == 0) return std::string();
    if (count > E2::io::max_string_count) {
        std::fseek(f, 0, SEEK_END);
        return cut();
    }
    std::string s(std::min<std::size_t>(count - 1, keep), '\0');
    if (!s.empty() && std::fread(&s[0], 1, s.size(), f) != s.size()) return cut();
    // The rest of the body and the closing zero.
    char skip[256];
    for (std::size_t left = count - s.size(); left > 0;) {
        std::size_t n = std::min(left, sizeof skip);
        if (std::fread(skip, 1, n, f) != n) return cut();
        left -= n;
    }
    return s;
}

// The characters the name entry can type; the others are dropped.
std::string typable(std::string const& name) {
    std::string out;
    for (char c : name)
        if (c >= ' ' && c <= '~') out += c;
    return out;
}

// A score text as the table writes its value; empty (a free place) stays empty.
std::string canonical_score(std::string const& text) {
    return text.empty() ? text : std::to_string(HighScoresScreen::score_value(text));
}

// A taken row before a free place, a better score before a lower one.
bool ranks_before(HighScoresScreen::HSPair const& a, HighScoresScreen::HSPair const& b) {
    if (a.score.empty() || b.score.empty()) return !a.score.empty() && b.score.empty();
    return HighScoresScreen::score_value(a.score) > HighScoresScreen::score_value(b.score);
}

// The taken rows best first, equal scores in their order, then the free places.
void put_in_order(std::vector<HighScoresScreen::HSPair>& rows) {
    std::stable_sort(rows.begin(), rows.end(), ranks_before);
}

}  // namespace

HighScoresScreen* highscoresscreen() {
    static HighScoresScreen screen;
    return &screen;
}

HighScoresScreen::HighScoresScreen() : tables_(table_count, std::vector<HSPair>(row_count)) {}

std::string HighScoresScreen::filename() const {
    E2::OS* os = E2::os();
    return os->filepath_merge(os->conf_dir(save_folder), "highscores.dat");
}

int HighScoresScreen::score_value(std::string const& text) {
    std::size_t i = 0, n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    bool saturated = false;
    for (; i < n && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) {
            saturated = true;
            break;
        }
    }
    if (saturated) return negative ? INT_MIN : INT_MAX;
    if (negative) return v > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-v);
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

void HighScoresScreen::read() {
    for (auto& t : tables_)
        for (HSPair& row : t) row = {default_name, "0"};
    std::string const path = filename();
    if (FILE* f = E2::io::open_record(path)) {
        bool whole = E2::io::read_ui32(f) == magic;
        if (whole) {
            for (auto& t : tables_) {
                for (HSPair& row : t) {
                    row.name = typable(read_clipped(f, max_name_bytes, whole));
                    row.score = canonical_score(read_clipped(f, max_score_bytes, whole));
                }
                put_in_order(t);
            }
        }
        // A file that is not one whole table set is kept: the next save moves it aside.
        if (!whole && std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) > 0)
            E2::io::record_unreadable(path, "not a high-score file, or damaged");
        std::fclose(f);
    }
    resync();
}

void HighScoresScreen::save() {
    E2::io::save_file_atomically(filename(), [this](FILE* f) {
        E2::io::write_ui32(f, magic);
        for (auto const& t : tables_)
            for (HSPair const& row : t) {
                E2::io::write_string(f, row.name);
                E2::io::write_string(f, row.score);
            }
    });
}

void HighScoresScreen::select_table(unsigned t) const {
    current_ = t;
    resync();
}

void HighScoresScreen::select_players_table() const {
    unsigned g = players_game();
    if (g != current_) select_table(g);
}

unsigned HighScoresScreen::rank(int score) const {
    std::vector<HSPair> const& t = tables_[current_];
    for (unsigned r = 0; r < row_count; ++r)
        if (t[r].score.empty() || score_value(t[r].score) < score) return r;
    return row_count;
}

bool HighScoresScreen::is_highscore(int score) const {
    select_players_table();
    return rank(score) < row_count;
}

int HighScoresScreen::add_score(std::string const& name, int score) {
    select_players_table();
    unsigned r = rank(score);
    if (r >= row_count) return -1;
    std::vector<HSPair>& t = tables_[current_];
    for (unsigned k = row_count - 1; k > r; --k) t[k] = t[k - 1];
    t[r] = {name, std::to_string(score)};
    save();
    resync();
    return static_cast<int>(r);
}

void HighScoresScreen::resync() const {
    std::vector<HSPair> const& t = tables_[current_];
    for (unsigned r = 0; r < row_count; ++r) {
        names_[r].set_text(t[r].name);
        scores_[r].set_text(t[r].score);
    }
}

void HighScoresScreen::load(Loader* l) {
    read();
    background.surface = l->get_surface_delayed(".i/menu/highscores_bg.jpg");
    background.set_pos(0, 0);
    load_foot_button(back, l, "mainmenu", this);
    tabs.load(l, this);
    for (unsigned r = 0; r < row_count; ++r) {
        int y = 246 + 38 * static_cast<int>(r);
        names_[r].glyphs = &menu_glyphs;
        names_[r].align = TextSprite::align_left;
        names_[r].set_pos(279, y);
        scores_[r].glyphs = &menu_glyphs;
        scores_[r].align = TextSprite::align_right;
        scores_[r].set_pos(789, y);
    }
}

void HighScoresScreen::on_enqueue() {
    background.load();
    select_table(players_game());
}

void HighScoresScreen::on_dequeue() { background.unload(); }

void HighScoresScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    back.tick(now, dt);
    tabs.tick(now, dt);
    for (unsigned r = 0; r < row_count; ++r) {
        names_[r].tick(now, dt);
        scores_[r].tick(now, dt);
    }
}

void HighScoresScreen::display(SDL_Surface* s) const {
    background.display(s);
    back.display(s);
    tabs.display(s, current_);
    for (unsigned r = 0; r < row_count; ++r) {
        names_[r].display(s);
        scores_[r].display(s);
    }
}

bool HighScoresScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return on_click(&back);
    if (back.proc_event(e)) return true;
    if (tabs.proc_event(e)) return true;
    return background.proc_event(e);
}

bool HighScoresScreen::on_click(ButtonSprite* b) {
    if (b == &back) {
        orb_transition_to(&mainmenu);
        return true;
    }
    unsigned t = tabs.index_of(b);
    if (t >= table_count) return false;
    select_table(t);
    return true;
}
