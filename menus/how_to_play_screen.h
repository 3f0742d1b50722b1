#pragma once
// The rules of the six games as how-to-play pages, one per game type in order. The done
// button reads "continue" when it leads to the play screen and "main menu" otherwise.

#include "how_to_play_base.h"

class HowToPlayScreen : public HowToPlayBase {
public:
    // The six pages (registered, loaded when shown), the buttons and the check box.
    void load(Loader* l) override;
    // The done button's art from the return target, then the base's entry.
    void on_enqueue() override;
};

// The one how-to-play screen, built on first use.
HowToPlayScreen* howtoplayscreen();
