#pragma once
// The yes/no question before a player profile is deleted.

#include "confirm_dialog.h"

class DeleteDialog : public ConfirmDialog {
public:
    // Schedules the background and both buttons' images and listens to the buttons.
    void load(Loader* l) override;
};
