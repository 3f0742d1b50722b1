#pragma once
// The main menu's yes/no question before the program ends.

#include "confirm_dialog.h"

class QuitDialog : public ConfirmDialog {
public:
    // Schedules the background and both buttons' images with their glow; the dialog
    // listens to both buttons. The places are ConfirmDialog's.
    void load(Loader* l) override;
};
