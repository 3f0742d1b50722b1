#pragma once
// The one global name prompt, opened over the player choice for a new profile.

#include "prompt_dialog.h"

class EnterNameDialog : public PromptDialog {
public:
    // Schedules the background and the OK button's images, places OK at (362, 466),
    // disabled, and gives the text the name-entry settings.
    void load(Loader* l) override;
};

extern EnterNameDialog entername;
