#pragma once
// The first screen until the splash and title screens exist: the title background.
// Escape or the window-system quit key ends the program.

#include "sprite.h"
#include "tde.h"

class BootScreen : public TDE {
public:
    void load(Loader* l) override;
    void display(SDL_Surface* s) const override;
    bool proc_event(SDL_Event* e) override;

private:
    Sprite background_;
};
