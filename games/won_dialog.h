#pragma once
// The dialog of a won game: the congratulation picture over the dimmed table with a
// flock of 30 butterflies, drawn only once the score counter has counted the final
// score. Any mouse-button or key release closes it.

#include <vector>

#include "continue_dialog.h"

class ScoreSprite;
class WonButterFly;

class WonDialog : public ContinueDialog {
public:
    static constexpr unsigned flock_size = 30;

    WonDialog() = default;
    ~WonDialog() override;
    WonDialog(WonDialog const&) = delete;
    WonDialog& operator=(WonDialog const&) = delete;

    // The dialog, then every butterfly, shown or not.
    void tick(unsigned now, unsigned dt) override;
    // Nothing while `counter` still counts; else the dialog and, while shown, the flock.
    void display(SDL_Surface* s) const override;
    // A mouse-button or key release finishes it (consumed); nothing else is consumed.
    bool proc_event(SDL_Event* e) override;
    // Registers the picture (loaded by show) at (297, 334).
    void load(Loader* l) override;

    // The picture loaded and a new flock of 30.
    void show() override;
    // The picture unloaded, the dialog hidden; the flock stays.
    void finish() override;

    ScoreSprite const* counter = nullptr;  // the play screen's score counter
    std::vector<WonButterFly*> flock;      // owned
};
