#pragma once
// Overlays that cover a screen during a change of screens: they draw the covered
// screen, swallow all input and put a black fill over it that darkens or lightens.

#include "tde.h"

// Draws the screen under it and swallows every event.
class TDEOverlay : public TDE {
public:
    explicit TDEOverlay(TDE* under) : under(under) {}
    void display(SDL_Surface* s) const override;
    bool proc_event(SDL_Event* e) override;

    TDE* under;  // not owned
};

// A timed fill over the covered screen; pops itself off the stack when its time is up.
class FadeOverlay : public TDEOverlay {
public:
    FadeOverlay(TDE* under, unsigned ms) : TDEOverlay(under), duration_ms(ms) {}
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // 0 at the start of the fade, 255 at its end.
    unsigned char progress() const;
    // The alpha intensity of the black fill.
    virtual unsigned char fill_intensity() const = 0;

    unsigned duration_ms;
    unsigned elapsed_ms = 0;
};

class FadeFromBlackOverlay;

// The old screen darkens to black; at full black it leaves and `next` is pushed.
class FadeToBlackOverlay : public FadeOverlay {
public:
    FadeToBlackOverlay(TDE* from, TDE* to, unsigned ms);
    // Deletes a fade overlay in `next` that was never handed over.
    ~FadeToBlackOverlay() override;
    unsigned char fill_intensity() const override { return progress(); }
    void on_enqueue() override;
    void on_dequeue() override;

    TDE* next;
    // elapsed_ms when the fade starts: a fade-out that takes over from an unfinished
    // fade-in starts at the same darkness.
    unsigned start_ms = 0;
};

// The new screen lightens from black; at the end it becomes the front of the stack.
class FadeFromBlackOverlay : public FadeOverlay {
public:
    FadeFromBlackOverlay(TDE* to, unsigned ms) : FadeOverlay(to, ms) {}
    unsigned char fill_intensity() const override { return static_cast<unsigned char>(255 - progress()); }
    // Calls the new screen's on_enqueue: it becomes current when the fade-in starts.
    void on_enqueue() override;
    // Links the new screen at the front without a second on_enqueue.
    void on_dequeue() override;
};
