#pragma once
// What the confirm, continue and prompt dialogs share: shown or hidden, a background under
// the dialog's own parts and the dim layer under both, ticked and drawn only while shown.

#include <initializer_list>
#include <vector>

#include "button_sprite.h"
#include "sprite.h"
#include "tde.h"

class ModalDialog : public TDE, public ButtonSprite::Listener {
public:
    // It keeps pointers to its parts, members of the dialog.
    ModalDialog(ModalDialog const&) = delete;
    ModalDialog& operator=(ModalDialog const&) = delete;

    // While shown: the background, then the parts.
    void tick(unsigned now, unsigned dt) override;
    // While shown: the dim layer, the background, then the parts.
    void display(SDL_Surface* s) const override;

    bool shown = false;
    Sprite bg;

protected:
    // Hidden; parts: the dialog's sprites over the background, in drawing order.
    explicit ModalDialog(std::initializer_list<Sprite*> parts) : parts_(parts) {}

    // Key-down Space or either Enter key.
    static bool is_space_or_enter(SDL_Event const* e);

private:
    std::vector<Sprite*> parts_;
};
