#include "expected_names.h"

#include <cctype>
#include <sstream>

namespace {

// The archive's members by folder, as "a, b, x0.png to x9.png, ..." lists.
struct Folder {
    const char* folder;
    int count;
    const char* list;
};

const Folder folders[] = {
    {"a/", 8,
        "button_down.wav, button_over.wav, flip0.wav, flip1.wav, game-0.ogg, game-1.ogg, "
        "game-2.ogg, menu.ogg"},
    {"i/game/", 80,
        "choosecardback_bg.jpg, choosegame_bg.jpg, choosegame_glow.png, congrats.png, "
        "gamebutton_glow.png, gameoptions_down.png, gameoptions_off.png, "
        "gameoptions_over.png, gameoptions_up.png, gamerules_down.png, "
        "gamerules_over.png, gamerules_up.png, howtoplay1_bg.jpg to howtoplay6_bg.jpg, "
        "howtoplay_next_down.png, howtoplay_next_off.png, howtoplay_next_over.png, "
        "howtoplay_next_up.png, howtoplay_prev_down.png, howtoplay_prev_off.png, "
        "howtoplay_prev_over.png, howtoplay_prev_up.png, hs_freecell_over.png, "
        "hs_freecell_up.png, hs_golf_over.png, hs_golf_up.png, hs_klondike_over.png, "
        "hs_klondike_up.png, hs_spider_over.png, hs_spider_up.png, hs_tripeaks_over.png, "
        "hs_tripeaks_up.png, hs_yukon_over.png, hs_yukon_up.png, klondike_bg.jpg, "
        "mainmenu_down.png, mainmenu_glow.png, mainmenu_over.png, mainmenu_up.png, "
        "newdeal_down.png, newdeal_over.png, newdeal_up.png, newgame_down.png, "
        "newgame_over.png, newgame_up.png, nomoremoves.png, "
        "options_changecardback_down.png, options_changecardback_over.png, "
        "options_changecardback_up.png, popup_apply_down.png, popup_apply_over.png, "
        "popup_apply_up.png, popup_change_down.png, popup_change_over.png, "
        "popup_change_up.png, popup_deal_down.png, popup_deal_over.png, "
        "popup_deal_up.png, popup_freecell_options_bg.png, popup_golf_options_bg.png, "
        "popup_klondike_options_bg.png, popup_newdeal_bg.png, popup_newgame_bg.png, "
        "popup_spider_options_bg.png, popup_tripeaks_options_bg.png, "
        "popup_yukon_options_bg.png, reset.png, reset_over.png, stats_bg.jpg, "
        "stats_down.png, stats_over.png, stats_up.png, undo_down.png, undo_off.png, "
        "undo_over.png, undo_up.png"},
    {"i/game/bf/", 12,
        "b0_0.png, b0_1.png, b1_0.png, b1_1.png, b2_0.png, b2_1.png, b3_0.png, b3_1.png, "
        "b4_0.png, b4_1.png, b5_0.png, b5_1.png"},
    {"i/game/bg/", 22,
        "bg0.jpg to bg21.jpg"},
    {"i/game/cards/", 69,
        "back0.png to back15.png, c0.png to c12.png, d0.png to d12.png, glow.png, "
        "h0.png to h12.png, s0.png to s12.png"},
    {"i/game/o/", 13,
        "overlay_bottombar.png, overlay_freecell.png, overlay_klondike.png, "
        "overlay_spider.png, overlay_title_freecell.png, overlay_title_golf.png, "
        "overlay_title_klondike.png, overlay_title_spider.png, "
        "overlay_title_tripeaks.png, overlay_title_yukon.png, overlay_tripeaks_golf.png, "
        "overlay_yukon_a.png, overlay_yukon_b.png"},
    {"i/game/particles/", 12,
        "p0.png to p11.png"},
    {"i/menu/", 65,
        "changeplayer_over.png, checkbox.png, chooseplayer_bg.jpg, clicktobegin.png, "
        "continue_down.png, continue_off.png, continue_over.png, continue_up.png, "
        "create_down.png, create_over.png, create_up.png, createdelete_glow.png, "
        "cursor.png, cursor_click.png, cursor_normal.png, delete_down.png, "
        "delete_off.png, delete_over.png, delete_up.png, help_down.png, help_over.png, "
        "help_up.png, highscores_bg.jpg, highscores_down.png, highscores_over.png, "
        "highscores_up.png, loading.png, mainmenu_bg.jpg, mainmenu_down.png, "
        "mainmenu_over.png, mainmenu_up.png, menu_glow.png, newplayer_bg.jpg, "
        "options_bg.jpg, options_down.png, options_over.png, options_up.png, "
        "play_down.png, play_over.png, play_up.png, player_over.png, player_up.png, "
        "popup_cancel_down.png, popup_cancel_over.png, popup_cancel_up.png, "
        "popup_delete_down.png, popup_delete_over.png, popup_delete_up.png, "
        "popup_deleteplayer_bg.png, popup_enter_down.png, popup_enter_off.png, "
        "popup_enter_over.png, popup_enter_up.png, popup_glow.png, popup_quit_bg.png, "
        "popup_quit_down.png, popup_quit_over.png, popup_quit_up.png, "
        "popup_typename_bg.png, quit_down.png, quit_over.png, quit_up.png, slider.png, "
        "splashlogo.png, title_bg.jpg"},
    {"i/menu/glyphs/", 43,
        "menu_0.png to menu_9.png, menu_a.png to menu_z.png, menu_colon.png, "
        "menu_comma.png, menu_exclamationmark.png, menu_hyphen.png, menu_percent.png, "
        "menu_period.png, menu_questionmark.png"},
};

bool all_digits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// "back0.png to back15.png" -> back0.png ... back15.png; "menu_a.png to menu_z.png"
// -> menu_a.png ... menu_z.png.
std::vector<std::string> expand_range(const std::string& first, const std::string& last) {
    size_t p = 0;
    while (p < first.size() && p < last.size() && first[p] == last[p]) ++p;
    while (p > 0 && std::isdigit(static_cast<unsigned char>(first[p - 1]))) --p;
    size_t s = 0;
    while (s < first.size() - p && s < last.size() - p &&
           first[first.size() - 1 - s] == last[last.size() - 1 - s])
        ++s;
    while (s > 0 && std::isdigit(static_cast<unsigned char>(first[first.size() - s]))) --s;
    const std::string prefix = first.substr(0, p), suffix = first.substr(first.size() - s);
    const std::string a = first.substr(p, first.size() - p - s);
    const std::string b = last.substr(p, last.size() - p - s);
    std::vector<std::string> out;
    if (all_digits(a) && all_digits(b)) {
        for (int i = std::stoi(a); i <= std::stoi(b); ++i)
            out.push_back(prefix + std::to_string(i) + suffix);
    } else if (a.size() == 1 && b.size() == 1) {
        for (char c = a[0]; c <= b[0]; ++c) out.push_back(prefix + c + suffix);
    }
    return out;
}

}  // namespace

std::vector<std::string> expected_names(std::vector<std::string>* problems) {
    std::vector<std::string> names;
    for (const Folder& f : folders) {
        std::vector<std::string> in_folder;
        std::stringstream items(f.list);
        std::string item;
        while (std::getline(items, item, ',')) {
            while (!item.empty() && item.front() == ' ') item.erase(0, 1);
            const size_t to = item.find(" to ");
            if (to == std::string::npos) {
                in_folder.push_back(item);
                continue;
            }
            std::vector<std::string> range =
                expand_range(item.substr(0, to), item.substr(to + 4));
            if (range.empty() && problems) problems->push_back("bad range: " + item);
            in_folder.insert(in_folder.end(), range.begin(), range.end());
        }
        if (int(in_folder.size()) != f.count && problems)
            problems->push_back(std::string(f.folder) + " lists " +
                                std::to_string(in_folder.size()) + " names, expected " +
                                std::to_string(f.count));
        for (const std::string& n : in_folder) names.push_back(f.folder + n);
    }
    return names;
}
