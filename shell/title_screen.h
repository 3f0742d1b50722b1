#pragma once
// The second screen of every run: the title picture while every scheduled image and then
// every registered sound loads, a few milliseconds per frame, behind a "loading" image;
// then the pointer and a pulsing click-to-begin button, and any release leads on.

#include <SDL/SDL.h>

#include <functional>

#include "button_sprite.h"
#include "menu_tde.h"
#include "sprite.h"

class Loader;

class TitleScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    // Loading stops starting new steps once this long has passed since the frame began.
    static constexpr unsigned load_budget_ms = 32;
    static constexpr unsigned pulse_period_ms = 4000;

    // Where the title leads: the new-player screen for a fresh current profile, else the
    // main menu, refreshed first. A missing screen keeps the title current.
    struct Exits {
        std::function<bool()> profile_fresh;
        TDE* new_player = nullptr;
        TDE* main_menu = nullptr;
        std::function<void()> refresh_main_menu;
    };

    // One load step or more per frame within the budget; once everything is loaded the
    // pointer is shown in the middle of the canvas and the pulse runs.
    void tick(unsigned now, unsigned dt) override;
    // The picture; the loading image while anything loads, else the pulsing button.
    void display(SDL_Surface* s) const override;
    // Consumes every event: swallowed while images load, afterwards any mouse-button or
    // key release leads on.
    bool proc_event(SDL_Event* e) override;
    // The picture and the loading image at once, the button's image scheduled; l is the
    // loader the title then works through.
    void load(Loader* l) override;
    // Unloads the picture and the button's image; shows the pointer if loading never ended.
    void on_dequeue() override;

    // Leads on with bbegin once no images remain to be loaded.
    bool on_click(ButtonSprite* b) override;
    // The hand-over without on_click's tests.
    void finish();

    void set_exits(Exits exits) { exits_ = std::move(exits); }
    bool images_loading() const;
    // "loading" while images or sounds load, then "ready".
    std::string phase() const override;
    bool sounds_loading() const;
    // The button's alpha intensity at pulse_ms: 64 at 0, 255 at half the period.
    unsigned char pulse_intensity() const;

    Sprite bg;
    ButtonSprite bbegin;
    Sprite loading;
    unsigned pulse_ms = 0;

    // The media layer's clock, for the loading budget, and the mouse warp.
    unsigned (*clock)() = SDL_GetTicks;
    void (*warp_mouse)(Uint16 x, Uint16 y) = SDL_WarpMouse;

private:
    void show_pointer();

    Loader* loader_ = nullptr;
    Exits exits_;
};

extern TitleScreen titlescreen;
