#pragma once
// An invisible dialog that defers one call to the play screen to its next tick and
// swallows input until then.

#include "continue_dialog.h"

class TransparentDialog : public ContinueDialog {
public:
    using Call = void (TDE::*)();

    // Shown: hides itself at once and makes the stored call on the play screen.
    void tick(unsigned now, unsigned dt) override;
    // Shown: every event is swallowed.
    bool proc_event(SDL_Event* e) override;

    void show(Call fn);
    using ContinueDialog::show;

    Call call = nullptr;
};
