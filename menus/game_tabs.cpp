#include "game_tabs.h"

#include "loader.h"

namespace {

struct TabImages {
    char const* up;
    char const* over;
};

TabImages const images[GameTabs::count] = {
    {".i/game/hs_klondike_up.png", ".i/game/hs_klondike_over.png"},
    {".i/game/hs_freecell_up.png", ".i/game/hs_freecell_over.png"},
    {".i/game/hs_spider_up.png", ".i/game/hs_spider_over.png"},
    {".i/game/hs_tripeaks_up.png", ".i/game/hs_tripeaks_over.png"},
    {".i/game/hs_yukon_up.png", ".i/game/hs_yukon_over.png"},
    {".i/game/hs_golf_up.png", ".i/game/hs_golf_over.png"},
};

}  // namespace

void GameTabs::load(Loader* l, ButtonSprite::Listener* listener) {
    tabs_.clear();
    highlights_.clear();
    for (unsigned t = 0; t < count; ++t) {
        E2::Vec2<int> at(837, 161 + 82 * static_cast<int>(t));
        Surf* up = l->schedule_surface(images[t].up);
        Surf* over = l->schedule_surface(images[t].over);
        auto tab = std::make_unique<ButtonSprite>();
        tab->set_images(up, over, over);
        tab->set_pos(at);
        tab->set_state(ButtonSprite::normal);
        tab->register_listener(listener);
        tabs_.push_back(std::move(tab));
        highlights_.push_back(std::make_unique<Sprite>(over, at));
    }
}

void GameTabs::tick(unsigned now, unsigned dt) {
    for (auto& t : tabs_) t->tick(now, dt);
    for (auto& h : highlights_) h->tick(now, dt);
}

void GameTabs::display(SDL_Surface* s, unsigned selected) const {
    for (unsigned t = 0; t < tabs_.size(); ++t)
        if (t != selected) tabs_[t]->display(s);
    if (selected < highlights_.size()) highlights_[selected]->display(s);
}

bool GameTabs::proc_event(SDL_Event* e) {
    for (auto& t : tabs_)
        if (t->proc_event(e)) return true;
    return false;
}

unsigned GameTabs::index_of(ButtonSprite const* b) const {
    for (unsigned t = 0; t < tabs_.size(); ++t)
        if (tabs_[t].get() == b) return t;
    return count;
}
