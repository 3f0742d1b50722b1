// The generator's member table against the names and sizes the program relies on.

#include "expected_names.h"
#include "members.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using assetgen::find_member;
using assetgen::Format;
using assetgen::Member;
using assetgen::members;
using assetgen::Painter;

namespace {

const Member& member(const std::string& name) {
    const Member* m = find_member(name);
    if (!m) throw std::runtime_error("no member " + name);
    return *m;
}

bool has_prefix(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

}  // namespace

TEST(AssetTable, NamesAreExactlyTheExpectedOnes) {
    std::vector<std::string> problems;
    std::vector<std::string> expected = expected_names(&problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(expected.size(), 324u);

    std::vector<std::string> actual;
    for (const Member& m : members()) actual.push_back(m.name);
    std::vector<std::string> missing, extra;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                        std::back_inserter(missing));
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    for (const std::string& n : missing) ADD_FAILURE() << "missing from the table: " << n;
    for (const std::string& n : extra) ADD_FAILURE() << "not an archive member: " << n;
    EXPECT_EQ(actual, expected) << "table not in byte order of names, or duplicates";
}

TEST(AssetTable, FormatsAndLookup) {
    std::map<Format, int> count;
    for (const Member& m : members()) {
        ++count[m.format()];
        EXPECT_EQ(find_member(m.name), &m);
    }
    EXPECT_EQ(count[Format::png], 278);
    EXPECT_EQ(count[Format::jpeg], 38);
    EXPECT_EQ(count[Format::wav], 4);
    EXPECT_EQ(count[Format::ogg], 4);
    EXPECT_EQ(find_member(".i/menu/title_bg.jpg"), nullptr);
    EXPECT_EQ(find_member("i/menu/title_bg.jpg "), nullptr);
    Format f;
    EXPECT_FALSE(assetgen::format_of("i/menu/title_bg.bmp", &f));
}

TEST(AssetTable, PainterFollowsTheFolder) {
    const std::vector<std::string> piece_folders = {"i/game/cards/", "i/game/bf/",
                                                    "i/game/particles/", "i/game/bg/",
                                                    "i/game/o/"};
    const std::vector<std::string> piece_files = {
        "i/menu/cursor.png", "i/menu/cursor_normal.png", "i/menu/cursor_click.png",
        "i/game/reset.png", "i/game/reset_over.png"};
    for (const Member& m : members()) {
        Painter want = Painter::ui;
        if (has_prefix(m.name, "a/")) want = Painter::sound;
        for (const std::string& f : piece_folders)
            if (has_prefix(m.name, f)) want = Painter::pieces;
        if (std::count(piece_files.begin(), piece_files.end(), m.name)) want = Painter::pieces;
        EXPECT_EQ(int(m.painter), int(want)) << m.name;
        EXPECT_EQ(m.is_image(), want != Painter::sound) << m.name;
    }
}

TEST(AssetTable, ImageSizes) {
    for (const Member& m : members()) {
        if (!m.is_image()) {
            EXPECT_EQ(m.w, 0) << m.name;
            EXPECT_EQ(m.h, 0) << m.name;
            continue;
        }
        EXPECT_GT(m.w, 0) << m.name;
        EXPECT_GT(m.h, 0) << m.name;
        EXPECT_LE(m.w, 1024) << m.name;
        EXPECT_LE(m.h, 768) << m.name;
        if (m.format() == Format::jpeg) {
            const bool table = has_prefix(m.name, "i/game/bg/") || m.name == "i/game/klondike_bg.jpg";
            EXPECT_EQ(m.w, 1024) << m.name;
            EXPECT_EQ(m.h, table ? 720 : 768) << m.name;
        }
        if (has_prefix(m.name, "i/game/cards/") && m.name != "i/game/cards/glow.png") {
            EXPECT_EQ(m.w, 99) << m.name;
            EXPECT_EQ(m.h, 144) << m.name;
        }
    }
    EXPECT_EQ(member("i/game/cards/glow.png").w, 107);
    EXPECT_EQ(member("i/game/cards/glow.png").h, 152);
}

// Every state of a button, and its glow, share the button's size.
TEST(AssetTable, ButtonStatesAndGlowsShareASize) {
    std::map<std::string, std::pair<int, int>> family;
    for (const Member& m : members()) {
        for (const char* state : {"_up.png", "_over.png", "_down.png", "_off.png"}) {
            const std::string s = state;
            if (m.name.size() <= s.size() || m.name.compare(m.name.size() - s.size(), s.size(), s))
                continue;
            const std::string base = m.name.substr(0, m.name.size() - s.size());
            auto it = family.emplace(base, std::make_pair(m.w, m.h)).first;
            EXPECT_EQ(it->second, std::make_pair(m.w, m.h)) << m.name;
        }
    }
    const std::pair<const char*, const char*> glows[] = {
        {"i/menu/menu_glow.png", "i/menu/play_up.png"},
        {"i/menu/popup_glow.png", "i/menu/popup_quit_up.png"},
        {"i/menu/createdelete_glow.png", "i/menu/create_up.png"},
        {"i/menu/createdelete_glow.png", "i/menu/delete_up.png"},
        {"i/menu/player_over.png", "i/menu/player_up.png"},
        {"i/game/gamebutton_glow.png", "i/game/gameoptions_up.png"},
        {"i/game/mainmenu_glow.png", "i/game/mainmenu_up.png"},
        {"i/game/reset_over.png", "i/game/reset.png"},
    };
    for (const auto& [glow, button] : glows) {
        EXPECT_EQ(member(glow).w, member(button).w) << glow;
        EXPECT_EQ(member(glow).h, member(button).h) << glow;
    }
}

TEST(AssetTable, TopBarTilesTheCanvasWidth) {
    int x = 0;
    for (const char* b : {"newdeal", "undo", "newgame", "gamerules", "gameoptions", "stats",
                          "mainmenu"}) {
        const Member m = member(std::string("i/game/") + b + "_up.png");
        EXPECT_EQ(m.h, 48) << m.name;
        x += m.w;
    }
    EXPECT_EQ(x, 1024);
}

// Images drawn at fixed places stay on the 1024 x 768 canvas.
TEST(AssetTable, PlacedImagesFitTheCanvas) {
    const struct {
        const char* name;
        int x, y;
    } placed[] = {
        {"i/game/o/overlay_bottombar.png", 0, 733},
        {"i/game/o/overlay_title_golf.png", 892, 733},
        {"i/game/o/overlay_klondike.png", 98, 74},
        {"i/game/o/overlay_freecell.png", 20, 75},
        {"i/game/o/overlay_spider.png", 3, 63},
        {"i/game/o/overlay_yukon_a.png", 12, 61},
        {"i/game/o/overlay_yukon_b.png", 899, 61},
        {"i/game/o/overlay_tripeaks_golf.png", 25, 577},
        {"i/game/bg/bg0.jpg", 0, 48},
        {"i/menu/mainmenu_up.png", 313, 670},
        {"i/menu/changeplayer_over.png", 0, 688},
        {"i/menu/player_up.png", 41, 163 + 4 * 101},
        {"i/menu/create_up.png", 826, 163 + 4 * 101},
        {"i/menu/popup_quit_bg.png", 120, 162},
        {"i/game/choosegame_glow.png", 20 + 5 * 165, 162},
        {"i/game/hs_golf_up.png", 837, 161 + 5 * 82},
        {"i/game/howtoplay_next_up.png", 873, 669},
        {"i/menu/splashlogo.png", 312, 184},
    };
    for (const auto& p : placed) {
        const Member m = member(p.name);
        EXPECT_LE(p.x + m.w, 1024) << p.name;
        EXPECT_LE(p.y + m.h, 768) << p.name;
    }
    // Centred menu buttons.
    EXPECT_EQ(313 * 2 + member("i/menu/play_up.png").w, 1024);
}

TEST(AssetTable, GlyphMetrics) {
    int letters = 0, letter_advance = 0, height = -1;
    for (const Member& m : members()) {
        if (!has_prefix(m.name, "i/menu/glyphs/menu_")) continue;
        if (height < 0) height = m.h;
        EXPECT_EQ(m.h, height) << m.name << ": all glyphs share one cell height";
        EXPECT_GT(m.w, 6) << m.name << ": the pen advances by width - 6";
        const std::string key = m.name.substr(19, m.name.size() - 19 - 4);
        if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
            EXPECT_EQ(m.w, 24) << m.name;
        }
        if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') {
            ++letters;
            letter_advance += m.w - 6;
        }
    }
    EXPECT_EQ(height, 30);
    EXPECT_EQ(letters, 26);
    EXPECT_LE(letter_advance, 17 * letters);
    // The space (width of 'i' - 6) stays about half a letter wide.
    EXPECT_EQ(member("i/menu/glyphs/menu_i.png").w, 13);
    EXPECT_LT(member("i/menu/glyphs/menu_period.png").w, member("i/menu/glyphs/menu_o.png").w);
    EXPECT_LT(member("i/menu/glyphs/menu_comma.png").w, member("i/menu/glyphs/menu_o.png").w);
}
