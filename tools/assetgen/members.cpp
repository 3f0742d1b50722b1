#include "members.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace assetgen {
namespace {

bool starts_with(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Which painter draws a member, by its name.
Painter painter_for(const std::string& name) {
    if (starts_with(name, "a/")) return Painter::sound;
    for (const char* folder : {"i/game/cards/", "i/game/bf/", "i/game/particles/",
                               "i/game/bg/", "i/game/o/"})
        if (starts_with(name, folder)) return Painter::pieces;
    for (const char* file : {"i/menu/cursor.png", "i/menu/cursor_normal.png",
                             "i/menu/cursor_click.png", "i/game/reset.png",
                             "i/game/reset_over.png"})
        if (name == file) return Painter::pieces;
    return Painter::ui;
}

class Table {
public:
    void add(const std::string& name, int w, int h) {
        rows_.push_back(Member{name, w, h, painter_for(name)});
    }
    void sound(const std::string& name) { add("a/" + name, 0, 0); }
    // One PNG per button state: prefix + "_" + state + ".png".
    void states(const std::string& prefix, int w, int h,
                std::initializer_list<const char*> names) {
        for (const char* s : names) add(prefix + "_" + s + ".png", w, h);
    }
    // prefix + i + suffix for i in [first, last].
    void series(const std::string& prefix, int first, int last, const std::string& suffix,
                int w, int h) {
        for (int i = first; i <= last; ++i) add(prefix + std::to_string(i) + suffix, w, h);
    }
    std::vector<Member> sorted() {
        std::sort(rows_.begin(), rows_.end(),
                  [](const Member& a, const Member& b) { return a.name < b.name; });
        return std::move(rows_);
    }

private:
    std::vector<Member> rows_;
};

const std::initializer_list<const char*> up_over_down = {"up", "over", "down"};
const std::initializer_list<const char*> with_off = {"up", "over", "down", "off"};

void add_audio(Table& t) {
    for (const char* s : {"button_down.wav", "button_over.wav", "flip0.wav", "flip1.wav",
                          "game-0.ogg", "game-1.ogg", "game-2.ogg", "menu.ogg"})
        t.sound(s);
}

void add_menu(Table& t) {
    const std::string m = "i/menu/";
    const int BW = 398, BH = 96;  // menu-button format
    for (const char* b : {"play", "options", "highscores", "help", "quit", "mainmenu"})
        t.states(m + b, BW, BH, up_over_down);
    t.states(m + "continue", BW, BH, with_off);
    t.add(m + "loading.png", BW, BH);
    t.add(m + "clicktobegin.png", BW, BH);
    t.add(m + "menu_glow.png", BW, BH);
    for (const char* bg : {"title_bg", "mainmenu_bg", "newplayer_bg", "chooseplayer_bg",
                           "options_bg", "highscores_bg"})
        t.add(m + bg + ".jpg", 1024, 768);
    t.add(m + "splashlogo.png", 400, 400);
    t.add(m + "changeplayer_over.png", 1024, 80);
    t.add(m + "cursor.png", 6, 54);
    t.add(m + "cursor_normal.png", 32, 32);
    t.add(m + "cursor_click.png", 32, 32);
    t.add(m + "player_up.png", 775, 78);
    t.add(m + "player_over.png", 775, 78);
    t.states(m + "create", 160, 78, up_over_down);
    t.states(m + "delete", 160, 78, with_off);
    t.add(m + "createdelete_glow.png", 160, 78);
    t.add(m + "checkbox.png", 32, 32);
    t.add(m + "slider.png", 21, 36);
    for (const char* p : {"popup_quit_bg", "popup_deleteplayer_bg", "popup_typename_bg"})
        t.add(m + p + ".png", 784, 444);
    for (const char* b : {"popup_quit", "popup_delete", "popup_cancel"})
        t.states(m + b, 300, 100, up_over_down);
    t.states(m + "popup_enter", 300, 100, with_off);
    t.add(m + "popup_glow.png", 300, 100);
}

// The menu font: one cell height, widths carrying about 3 px of margin per side. The
// space is as wide as 'i' - 6, so 'i' is as narrow as its letter: word gaps stay small.
void add_glyphs(Table& t) {
    const std::string g = "i/menu/glyphs/menu_";
    const int H = 30;
    t.series(g, 0, 9, ".png", 24, H);
    static const int letter_w[26] = {
        // a   b   c   d   e   f   g   h   i   j   k   l   m
        23, 22, 22, 23, 20, 20, 24, 23, 13, 18, 23, 19, 28,
        // n   o   p   q   r   s   t   u   v   w   x   y   z
        23, 24, 21, 24, 22, 21, 21, 23, 23, 30, 23, 22, 21};
    for (int i = 0; i < 26; ++i) t.add(g + char('a' + i) + ".png", letter_w[i], H);
    t.add(g + "colon.png", 12, H);
    t.add(g + "comma.png", 12, H);
    t.add(g + "period.png", 12, H);
    t.add(g + "exclamationmark.png", 13, H);
    t.add(g + "hyphen.png", 16, H);
    t.add(g + "questionmark.png", 20, H);
    t.add(g + "percent.png", 28, H);
}

void add_game(Table& t) {
    const std::string g = "i/game/";
    // Top bar, 48 high, tiling x 0..1024.
    t.states(g + "newdeal", 152, 48, up_over_down);
    t.states(g + "undo", 90, 48, with_off);
    t.states(g + "newgame", 150, 48, up_over_down);
    t.states(g + "gamerules", 174, 48, up_over_down);
    t.states(g + "gameoptions", 200, 48, with_off);
    t.states(g + "stats", 93, 48, up_over_down);
    t.states(g + "mainmenu", 165, 48, up_over_down);
    t.add(g + "gamebutton_glow.png", 200, 48);
    t.add(g + "mainmenu_glow.png", 165, 48);

    t.add(g + "reset.png", 75, 76);
    t.add(g + "reset_over.png", 75, 76);
    t.add(g + "congrats.png", 430, 100);
    t.add(g + "nomoremoves.png", 430, 100);
    for (const char* p : {"newdeal", "newgame", "klondike_options", "freecell_options",
                          "spider_options", "tripeaks_options", "yukon_options",
                          "golf_options"})
        t.add(g + "popup_" + p + "_bg.png", 784, 444);
    for (const char* b : {"popup_deal", "popup_change", "popup_apply"})
        t.states(g + b, 300, 100, up_over_down);

    for (const char* bg : {"choosegame_bg", "choosecardback_bg", "stats_bg"})
        t.add(g + bg + ".jpg", 1024, 768);
    t.series(g + "howtoplay", 1, 6, "_bg.jpg", 1024, 768);
    t.add(g + "klondike_bg.jpg", 1024, 720);
    t.add(g + "choosegame_glow.png", 154, 310);
    t.states(g + "options_changecardback", 161, 244, up_over_down);
    for (const char* game : {"klondike", "freecell", "spider", "tripeaks", "yukon", "golf"})
        t.states(g + "hs_" + game, 175, 76, {"up", "over"});
    t.states(g + "howtoplay_prev", 136, 96, with_off);
    t.states(g + "howtoplay_next", 136, 96, with_off);
}

void add_pieces(Table& t) {
    const std::string c = "i/game/cards/";
    for (const char* suit : {"c", "d", "h", "s"}) t.series(c + suit, 0, 12, ".png", 99, 144);
    t.series(c + "back", 0, 15, ".png", 99, 144);
    t.add(c + "glow.png", 107, 152);

    t.series("i/game/bg/bg", 0, 21, ".jpg", 1024, 720);
    for (int k = 0; k < 6; ++k)
        for (int f = 0; f < 2; ++f)
            t.add("i/game/bf/b" + std::to_string(k) + "_" + std::to_string(f) + ".png", 48,
                  48);
    static const int particle_px[12] = {32, 16, 24, 12, 48, 20, 40, 8, 28, 36, 16, 44};
    for (int i = 0; i < 12; ++i)
        t.add("i/game/particles/p" + std::to_string(i) + ".png", particle_px[i],
              particle_px[i]);

    const std::string o = "i/game/o/overlay_";
    t.add(o + "bottombar.png", 1024, 35);
    for (const char* game : {"klondike", "freecell", "spider", "tripeaks", "yukon", "golf"})
        t.add(o + "title_" + game + ".png", 132, 35);
    t.add(o + "klondike.png", 831, 337);
    t.add(o + "freecell.png", 979, 336);
    t.add(o + "spider.png", 1018, 315);
    t.add(o + "yukon_a.png", 831, 156);
    t.add(o + "yukon_b.png", 113, 666);
    t.add(o + "tripeaks_golf.png", 215, 156);
}

std::vector<Member> build() {
    Table t;
    add_audio(t);
    add_menu(t);
    add_glyphs(t);
    add_game(t);
    add_pieces(t);
    return t.sorted();
}

}  // namespace

Format Member::format() const {
    Format f;
    if (!format_of(name, &f)) throw std::logic_error("member without a known format: " + name);
    return f;
}

bool format_of(const std::string& name, Format* out) {
    auto ends = [&](const char* ext) {
        const std::string e(ext);
        return name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0;
    };
    if (ends(".png")) *out = Format::png;
    else if (ends(".jpg")) *out = Format::jpeg;
    else if (ends(".wav")) *out = Format::wav;
    else if (ends(".ogg")) *out = Format::ogg;
    else return false;
    return true;
}

const std::vector<Member>& members() {
    static const std::vector<Member> rows = build();
    return rows;
}

const Member* find_member(const std::string& name) {
    const auto& rows = members();
    auto it = std::lower_bound(rows.begin(), rows.end(), name,
                               [](const Member& m, const std::string& n) { return m.name < n; });
    return it != rows.end() && it->name == name ? &*it : nullptr;
}

}  // namespace assetgen
