#pragma once
// The yes/no dialog of a lost game: the score, a title and, when the score entered the
// high-score table, a picture for it; input is locked for its first second.

#include "confirm_dialog.h"
#include "sprite.h"
#include "text_sprite.h"

class GameOverDialog : public ConfirmDialog {
public:
    static constexpr unsigned lock_ms = 1000;

    // While shown: the lock runs down, then the dialog ticks.
    void tick(unsigned now, unsigned dt) override;
    // While shown: the dialog, the title, the high-score picture when it applies, the score.
    void display(SDL_Surface* s) const override;
    // While shown and locked every event is swallowed.
    bool proc_event(SDL_Event* e) override;
    // Places the pictures, the buttons and the score text; assigns no images.
    void load(Loader* l) override;
    // Locks input for lock_ms, then opens.
    void show() override;

    bool made_highscore = false;
    Sprite highscore_pic;
    TextSprite score_text;
    Sprite title_pic;
    unsigned lock = 0;  // ms
};
