#pragma once
// The modal one-button dialog: a background and a continue button. It closes on the
// button, on Space, on either Enter key or on Escape, and swallows every event while shown.

#include "button_sprite.h"
#include "modal_dialog.h"

class ContinueDialog : public ModalDialog {
public:
    // Hidden; a subclass places the background and the button.
    ContinueDialog() : ModalDialog({&bcontinue}) {}

    bool proc_event(SDL_Event* e) override;
    // Listens to the continue button.
    void load(Loader* l) override;

    bool on_click(ButtonSprite* b) override;
    virtual void show();
    virtual void finish();

    ButtonSprite bcontinue;
};
