#include "sprite.h"

#include "blit_job_manager.h"
#include "screen_hacks.h"
#include "sprite_effectors.h"
#include "surf.h"

Sprite::Sprite(Surf* surface_, E2::Vec2<int> pos) : x(pos.x), y(pos.y), surface(surface_) {}

Sprite::~Sprite() { clear_effs(); }

void Sprite::tick(unsigned now, unsigned dt) {
    for (auto it = effectors_.begin(); it != effectors_.end();) {
        if ((*it)->is_done()) {
            delete *it;
            it = effectors_.erase(it);
        } else {
            (*it)->tick(now, dt);
            ++it;
        }
    }
}

void Sprite::display(SDL_Surface*) const {
    if (!Surf::ok(surface)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(x), static_cast<Sint16>(y)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, surface, E2::Rect<int>(at.x, at.y, 0, 0),
                         E2::Color(0x000000FFu), 255));
}

bool Sprite::proc_event(SDL_Event* e) {
    if (!e) return false;
    switch (e->type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int ex = e->button.x, ey = e->button.y;
            if (!(flags & takes_buttons) || e->button.button > SDL_BUTTON_RIGHT || !is_inside(ex, ey)) return false;
            return e->type == SDL_MOUSEBUTTONDOWN ? on_mouse_down(ex, ey) : on_mouse_up(ex, ey);
        }
        case SDL_MOUSEMOTION:
            if (!(flags & takes_motion)) return false;
            return on_mouse_motion(e->motion.x, e->motion.y, e->motion.state == 0);
        default:
            return false;
    }
}

bool Sprite::on_mouse_motion(int, int, bool) { return false; }
bool Sprite::on_mouse_down(int, int) { return false; }
bool Sprite::on_mouse_up(int, int) { return false; }

bool Sprite::is_inside(int px, int py) const {
    if (!Surf::ok(surface)) return false;
    return px >= x && px < x + surface->world_w() && py >= y && py < y + surface->world_h();
}

bool Sprite::is_inside(E2::Vec2<int> const& p) const { return is_inside(p.x, p.y); }

void Sprite::set_pos(int nx, int ny) {
    x = nx;
    y = ny;
}

void Sprite::set_pos(E2::Vec2<int> const& p) { set_pos(p.x, p.y); }

void Sprite::set_pos_center() { center_at({512, 384}); }

void Sprite::center_at(E2::Vec2<int> const& p) {
    if (Surf::ok(surface))
        set_pos(p.x - surface->world_w() / 2, p.y - surface->world_h() / 2);
    else
        set_pos(p);
}

E2::Vec2<int> Sprite::pos() const { return {x, y}; }

E2::Rect<int> Sprite::display_region() const {
    if (surface) return {x, y, surface->world_w(), surface->world_h()};
    return {x, y, 1, 1};
}

void Sprite::load() {
    if (surface) surface->load();
}

void Sprite::unload() {
    if (surface) surface->unload();
}

void Sprite::add_eff(SpriteEffector* e) { effectors_.push_front(e); }

void Sprite::chain_eff(SpriteEffector* e) {
    if (effectors_.empty()) {
        effectors_.push_back(e);
        return;
    }
    for (SpriteEffector* s : effectors_) {
        // A finished chain is dropped at the next tick with whatever joined it.
        auto* chain = dynamic_cast<ChainedEffector*>(s);
        if (chain && !chain->is_done()) {
            chain->add_eff(e);
            return;
        }
    }
    SpriteEffector* front = effectors_.front();
    effectors_.pop_front();
    add_eff(new ChainedEffector(this, front, e));
}

void Sprite::clear_effs() {
    std::list<SpriteEffector*> gone;
    gone.swap(effectors_);
    for (SpriteEffector* e : gone) delete e;
}
