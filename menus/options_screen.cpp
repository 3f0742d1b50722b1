#include "options_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "blit_job_manager.h"
#include "card_back_screen.h"
#include "event_predicates.h"
#include "foot_button.h"
#include "io.h"
#include "loader_global.h"
#include "main_menu_screen.h"
#include "music_ctl.h"
#include "os.h"
#include "player.h"
#include "save_file.h"
#include "snd.h"
#include "transition.h"
#include "video_modes.h"

OptionsScreen options;

namespace {

bool const options_bound = (bind_app_options(&options), true);

char const* const save_folder = "Quorlan Games/Lunerra Solitaire";

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// The file form of a slider value: times 100, truncated; a negative product gives 0.
std::uint32_t percent_of(float v) {
    float p = v * 100.0f;
    if (!(p > 0.0f)) return 0;
    return p >= 4294967040.0f ? 0xFFFFFFFFu : static_cast<std::uint32_t>(p);
}

void place(HSliderSprite& s, int knob_x) { s.set_pos(knob_x, s.y); }

// The knob at the nearest pixel to v, so that a value read from the knob puts it back
// where it was.
void put_at(HSliderSprite& s, float v) {
    place(s, s.left + static_cast<int>(std::lround(static_cast<float>(s.right - s.left) * clamp01(v))));
}

void set_up_slider(HSliderSprite& s, int knob_x, int knob_y) {
    s.left = OptionsScreen::knob_left;
    s.right = OptionsScreen::knob_right;
    s.set_pos(knob_x, knob_y);
    s.track = E2::Rect<int>(s.left, knob_y, 300, 36);
}

}  // namespace

int options_knob_x(std::uint32_t percent) {
    std::uint32_t p = std::min<std::uint32_t>(percent, 100);
    int span = OptionsScreen::knob_right - OptionsScreen::knob_left;
    return OptionsScreen::knob_left + static_cast<int>((static_cast<std::uint32_t>(span) * p + 99) / 100);
}

OptionsScreen::OptionsScreen() : mode_is_fullscreen(is_fullscreen), toggle_mode(toggle_fullscreen) {
    fullscreen = false;
    effects_quality = 1.0f;
    set_up_slider(sound, knob_left, 369);
    set_up_slider(music, knob_left - 1, 286);
    set_up_slider(effects, knob_left, 449);
}

std::string OptionsScreen::filename() const {
    E2::OS* os = E2::os();
    return os->filepath_merge(os->conf_dir(save_folder), "options.dat");
}

void OptionsScreen::read() {
    music.set_value(0.6f);
    sound.set_value(0.8f);
    effects_quality = 1.0f;
    effects.set_value(1.0f);
    std::string const path = filename();
    char const* const until = "the options are saved";
    FILE* f = E2::io::open_record(path, nullptr, until);
    bool const ours = f && E2::io::read_ui32(f) == magic;
    // Another file at the path is kept: the next save moves it aside.
    if (f && !ours && std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) > 0)
        E2::io::record_unreadable(path, "not an options file", until);
    if (ours) {
        // Each value the file holds; one it lacks keeps its default.
        auto held = [f](auto value) { return !std::feof(f) && !std::ferror(f) ? std::optional(value) : std::nullopt; };
        if (auto v = held(E2::io::read_ui8(f))) fullscreen = *v != 0;
        if (auto v = held(E2::io::read_ui32(f))) place(sound, options_knob_x(*v));
        if (auto v = held(E2::io::read_ui32(f))) place(music, options_knob_x(*v));
        if (auto v = held(E2::io::read_ui32(f))) {
            std::uint32_t fx = std::min<std::uint32_t>(*v, 100);
            effects_quality = clamp01(static_cast<float>(fx) / 100.0f);
            place(effects, options_knob_x(fx));
        } else {
            E2::io::record_unreadable(path, "cut short: the options it lacks take their defaults", until);
        }
    }
    if (f) std::fclose(f);
    apply_volumes();
    as_read_ = E2::io::bytes_of([this](FILE* out) { write(out); });
}

void OptionsScreen::write(FILE* f) const {
    E2::io::write_ui32(f, magic);
    E2::io::write_ui8(f, fullscreen ? 1 : 0);
    E2::io::write_ui32(f, percent_of(sound.value()));
    E2::io::write_ui32(f, percent_of(music.value()));
    E2::io::write_ui32(f, percent_of(effects.value()));
}

void OptionsScreen::save() {
    auto const writer = [this](FILE* f) { write(f); };
    std::string const now = E2::io::bytes_of(writer);
    if (!now.empty() && now == as_read_) return;
    if (E2::io::save_file_atomically(filename(), writer)) as_read_ = now;
}

void OptionsScreen::apply_volumes() {
    MusicCtl::ctl()->set_master_volume(music.value());
    Snd::set_master_volume(sound.value());
}

void OptionsScreen::set_effects_quality(float q) {
    effects_quality = clamp01(q);
    put_at(effects, effects_quality);
}

void OptionsScreen::keep() {
    set_effects_quality(effects.value());
    apply_volumes();
    save();
}

void OptionsScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/menu/options_bg.jpg");
    background.set_pos(0, 0);
    load_foot_button(back, l, "mainmenu", this);
    cardback_button.set_images(l->schedule_surface(".i/game/options_changecardback_up.png"),
                               l->schedule_surface(".i/game/options_changecardback_over.png"),
                               l->schedule_surface(".i/game/options_changecardback_down.png"));
    cardback_button.set_pos(637, 273);
    cardback_button.set_state(ButtonSprite::normal);
    cardback_button.register_listener(this);
    preview.set_pos(668, 303);

    Surf* mark = l->get_surface_delayed(".i/menu/checkbox.png");
    for (CheckboxSprite* box : {&fullscreen_box, &window_box}) {
        box->set_images(nullptr, mark);
        box->set_hit_rect(E2::Rect<int>(0, 0, 238, 40));
        box->register_listener(this);
    }
    fullscreen_box.set_pos(281, 520);
    window_box.set_pos(281, 579);
    show_mode();

    Surf* knob = l->get_surface_delayed(".i/menu/slider.png");
    for (HSliderSprite* s : {&sound, &music, &effects}) s->surface = knob;
}

void OptionsScreen::show_mode() {
    bool full = mode_is_fullscreen && mode_is_fullscreen();
    fullscreen_box.set_checked(full);
    window_box.set_checked(!full);
}

void OptionsScreen::on_enqueue() {
    entered_ = true;
    background.load();
    fullscreen_box.load();
    window_box.load();
    sound.load();
    show_mode();
    preview.surface = cardback_surf(Player::cur()->card_back);
}

void OptionsScreen::on_dequeue() {
    entered_ = false;
    background.unload();
    fullscreen_box.unload();
    sound.unload();
    keep();
}

void OptionsScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    back.tick(now, dt);
    cardback_button.tick(now, dt);
    preview.tick(now, dt);
    fullscreen_box.tick(now, dt);
    window_box.tick(now, dt);
    sound.tick(now, dt);
    music.tick(now, dt);
    effects.tick(now, dt);

    if (music.dragging) {
        float v = music.value();
        if (now - last_music_ms >= music_drag_ms && std::fabs(v - last_music_value) * 1024.0f >= music_drag_step) {
            last_music_value = v;
            last_music_ms = now;
            MusicCtl::ctl()->set_master_volume(v);
        }
    } else if (sound.dragging) {
        Snd::set_master_volume(sound.value());
    } else if (effects.dragging) {
        set_effects_quality(effects.value());
    }
}

void OptionsScreen::display(SDL_Surface* s) const {
    background.display(s);
    fullscreen_box.display(s);
    window_box.display(s);
    sound.display(s);
    music.display(s);
    effects.display(s);
    back.display(s);
    cardback_button.display(s);
    preview.display(s);
}

bool OptionsScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return on_click(&back);
    Sprite* const order[] = {&back,  &cardback_button, &preview, &fullscreen_box, &window_box,
                             &sound, &music,           &effects, &background};
    bool consumed = false;
    for (Sprite* s : order)
        if (s->proc_event(e)) {
            consumed = true;
            break;
        }
    if (is_mouse_button_up_event(e)) apply_volumes();
    return consumed;
}

bool OptionsScreen::on_click(ButtonSprite* b) {
    if (b == &back) {
        orb_transition_to(&mainmenu);
        return true;
    }
    if (b == &cardback_button) {
        orb_transition_to(cardbackscreen());
        return true;
    }
    return false;
}

void OptionsScreen::on_change(CheckboxSprite* cb) {
    if (cb != &fullscreen_box && cb != &window_box) return;
    if (!cb->is_checked()) {
        // The mode of this box is in force already.
        cb->set_checked(true);
        return;
    }
    CheckboxSprite* other = cb == &fullscreen_box ? &window_box : &fullscreen_box;
    other->set_checked(false);
    bool want_full = cb == &fullscreen_box;
    if (mode_is_fullscreen() != want_full && toggle_mode) {
        loader.save_loaded();
        loader.unload();
        bjmgr.clear();
        toggle_mode();
        loader.reload();
    }
    fullscreen = mode_is_fullscreen();
    show_mode();
}
