#pragma once
// The program's options and the screen that changes them: sound, music and effects
// quality on three sliders, full screen or window on two boxes that act as radio
// buttons, and the way to the card-back choice with a preview of the current back. The
// values are kept in "options.dat", read at start-up and written whenever the screen is
// left. The start-up code and the effects switches read `fullscreen` and
// `effects_quality` (the AppOptions base).

#include <cstdint>
#include <cstdio>
#include <string>

#include "app_options.h"
#include "button_sprite.h"
#include "checkbox_sprite.h"
#include "hslider_sprite.h"
#include "menu_tde.h"
#include "sprite.h"

class OptionsScreen : public MenuTDE,
                      public ButtonSprite::Listener,
                      public CheckboxSprite::Listener,
                      public AppOptions {
public:
    static constexpr std::uint32_t magic = 0xB17690AEu;
    static constexpr int knob_left = 281;
    static constexpr int knob_right = 560;
    // The music volume follows a drag at most this often, and only for a change this large
    // (in 1/1024ths).
    static constexpr unsigned music_drag_ms = 251;
    static constexpr float music_drag_step = 16.0f;

    // The sliders' limits and tracks; the sound and effects knobs at 0, the music knob one
    // pixel left of its range.
    OptionsScreen();

    // The sprites, then at most one dragged slider takes effect.
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape acts as the back button; then the widgets in turn. A released mouse button
    // applies both volumes.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    // Loads the images; the boxes show the video mode in force; the preview shows the
    // current player's card back.
    void on_enqueue() override;
    // Unloads the images, then keep().
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // The display-mode radio.
    void on_change(CheckboxSprite* cb) override;

    // The file's values, or the defaults (sound 0.8, music 0.6, effects 1, window) for
    // those it lacks: all of them when it is missing or has another magic number. A file
    // that is not an options file, or is cut short, is kept until the next save moves it
    // aside. Then both volumes are applied.
    void read();
    // Writes the file through a temporary when its values differ from those read (or last
    // saved); a failure is told on stderr.
    void save();
    // The leaving step: effects quality from its knob, both volumes applied, then save().
    void keep();
    void set_effects_quality(float q);
    std::string filename() const;

    Sprite background;
    ButtonSprite back;
    ButtonSprite cardback_button;
    Sprite preview;
    CheckboxSprite fullscreen_box;
    CheckboxSprite window_box;
    HSliderSprite sound;
    HSliderSprite music;
    HSliderSprite effects;

    // Between on_enqueue and on_dequeue.
    bool is_entered() const { return entered_; }

    // Seams for the tests: the video mode in force and the switch between the modes.
    bool (*mode_is_fullscreen)();
    void (*toggle_mode)();

    // The music drag's throttle, kept for the whole run.
    unsigned last_music_ms = 0;
    float last_music_value = -1.0f;

private:
    void write(FILE* f) const;
    void apply_volumes();
    std::string as_read_;
    bool entered_ = false;
    void show_mode();
};

// The one options screen; app_options() answers with it.
extern OptionsScreen options;

// The knob's x for a stored value of 0 to 100 (larger values count as 100): the first
// pixel whose value, times 100 and truncated, gives the number back.
int options_knob_x(std::uint32_t percent);
