#pragma once
// The drawn mouse pointer: follows the mouse every frame in world coordinates and shows a
// second image while the left button is held. Hidden until shown.

#include <SDL/SDL.h>

#include "sprite.h"

class PointerSprite : public Sprite {
public:
    // The mouse position in window pixels and the button mask.
    using MouseState = Uint8 (*)(int* x, int* y);

    // World offset of the image's hot spot.
    static constexpr int hot_spot = 6;

    PointerSprite() = default;

    // Follows the mouse and picks the image by the left button.
    void tick(unsigned now, unsigned dt) override;
    // While shown, the image with its hot spot on the position.
    void display(SDL_Surface* s) const override;
    // Schedules both images with the global loader.
    void load() override;
    using Sprite::load;
    void unload() override;

    bool is_shown() const { return shown_; }
    void show() { shown_ = true; }
    void hide() { shown_ = false; }

    Surf* normal = nullptr;  // left button up; not owned
    Surf* click = nullptr;   // left button held; not owned
    MouseState mouse_state = SDL_GetMouseState;

private:
    bool shown_ = false;
};

// The one pointer, drawn over every screen.
extern PointerSprite pointer;

// The pointer's companion: an empty sprite that the frame loop ticks, draws and offers
// every event; created on the first call and kept.
Sprite* _pointer_butterfly();
