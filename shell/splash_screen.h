#pragma once
// The first screen of every run: a logo fading in and out on black for three seconds;
// then it removes itself, starts the menu music and fades the title screen in.

#include "menu_tde.h"
#include "sprite.h"

class SplashScreen : public MenuTDE {
public:
    static constexpr unsigned duration_ms = 3000;

    // Once the time is up: off the stack, and the title screen fades in.
    void tick(unsigned now, unsigned dt) override;
    // Black, then the logo at its intensity.
    void display(SDL_Surface* s) const override;
    // Takes no input.
    bool proc_event(SDL_Event* e) override;
    // The logo, loaded at once.
    void load(Loader* l) override;
    void on_enqueue() override;
    // Unloads the logo and loops the menu music.
    void on_dequeue() override;

    // The hand-over at the end of the time.
    void finish();
    // The logo's alpha intensity at `elapsed_ms`; 0 once the time is up.
    unsigned char logo_intensity() const;

    Sprite logo;
    unsigned elapsed_ms = 0;
};

extern SplashScreen splashscreen;
