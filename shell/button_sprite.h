#pragma once
// The push button of every screen and dialog: an image per state, an additive glow that
// fades in while the pointer is over it and out after, hover and click sounds, and
// listeners told of each click.

#include <cstdint>
#include <vector>

#include "sprite.h"

class ButtonSprite : public Sprite {
public:
    enum State { normal = 0, over = 1, down = 2, disabled = 3 };

    class Listener {
    public:
        virtual ~Listener() = default;
        // The button ignores the result.
        virtual bool on_click(ButtonSprite* b) = 0;
    };

    // No glow fade in progress.
    static constexpr std::uint32_t glow_idle = 1024;

    // Takes motion and buttons.
    ButtonSprite();

    // Sprite::tick, then the glow timer runs.
    void tick(unsigned now, unsigned dt) override;
    // The current state's image, then the glow.
    void display(SDL_Surface* s) const override;
    bool on_mouse_motion(int x, int y, bool no_button) override;
    bool on_mouse_down(int x, int y) override;
    bool on_mouse_up(int x, int y) override;
    // The current image's rectangle, or that of the first loaded state image.
    bool is_inside(int x, int y) const override;
    using Sprite::is_inside;
    // The state images; the glow is not touched.
    void load() override;
    void unload() override;

    virtual void set_enabled(bool b);
    virtual bool is_enabled() const { return state != disabled; }
    // Starts a glow fade when the state went between rest and over/down.
    virtual void sync_glow(State old);
    // Sets the state and its image and input flags; plays the hover sound on entering
    // over/down from rest when the glow image is loaded.
    virtual void set_state(State s);
    // set_state; true (and stop_event_drain set) when the state changed.
    virtual bool set_state_by_motion(State s);
    virtual void disable() { set_state(disabled); }
    virtual void enable() { set_state(normal); }
    // set_state, and a click when a press was released (or, with click_on_press, made).
    virtual void change_state(State s);
    // Appends l unless it is registered already.
    virtual void register_listener(Listener* l);
    virtual void _play_snd_click() const;
    virtual void _play_snd_over() const;

    // The glow's alpha intensity now; 0 for none.
    unsigned char glow_intensity() const;
    Surf* image(State s) const { return images[s]; }
    void set_images(Surf* normal_img, Surf* over_img, Surf* down_img, Surf* disabled_img = nullptr);
    std::vector<Listener*> const& listeners() const { return listeners_; }

    State state = normal;
    Surf* images[4] = {nullptr, nullptr, nullptr, nullptr};  // by state; not owned
    Surf* glow = nullptr;                                     // not owned
    bool click_on_press = false;
    std::uint32_t glow_timer = glow_idle;  // ms since the last glow reset

protected:
    void click();

private:
    std::vector<Listener*> listeners_;
};
