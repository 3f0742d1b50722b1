#pragma once
// The six game tabs of the high-score and statistics screens: one button per game type
// at the right edge, and the picture that stands in for the selected one.

#include <memory>
#include <vector>

#include "button_sprite.h"
#include "sprite.h"

class Loader;

class GameTabs {
public:
    static constexpr unsigned count = 6;

    // Tab t at (837, 161 + 82t): normal the game's up image, over and down its over
    // image; its highlight shows the over image at the same place. Every image is
    // scheduled; each tab is put in the normal state and tells `listener` of its clicks.
    void load(Loader* l, ButtonSprite::Listener* listener);
    void tick(unsigned now, unsigned dt);
    // Every tab but the selected one, then the selected one's highlight.
    void display(SDL_Surface* s, unsigned selected) const;
    // The tabs in order, the selected one too; true at the first that consumes it.
    bool proc_event(SDL_Event* e);
    // The tab's index, or count for another button.
    unsigned index_of(ButtonSprite const* b) const;

    ButtonSprite& tab(unsigned t) { return *tabs_[t]; }
    Sprite& highlight(unsigned t) { return *highlights_[t]; }

private:
    std::vector<std::unique_ptr<ButtonSprite>> tabs_;
    std::vector<std::unique_ptr<Sprite>> highlights_;
};
