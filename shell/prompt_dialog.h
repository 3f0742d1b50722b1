#pragma once
// The modal text-entry dialog: a background, an editable line of text and an OK button
// that is enabled only while the text is not empty. The owner reads `text` once the
// dialog has closed.

#include <string>

#include "button_sprite.h"
#include "modal_dialog.h"
#include "text_sprite.h"

class PromptDialog : public ModalDialog {
public:
    // Hidden, the background at (120, 162), OK at (202, 466), the text editable and drawn
    // under OK; not yet OK's listener.
    PromptDialog();

    // Escape closes (the text stays as typed); keys go to the text; Enter with text
    // closes; every event is swallowed while shown.
    bool proc_event(SDL_Event* e) override;

    bool on_click(ButtonSprite* b) override;
    // Opens the dialog; OK is enabled exactly when there is text.
    virtual void show();
    virtual void show(std::string const& s);
    virtual void finish();

    ButtonSprite bok;
    TextSprite text;
};
