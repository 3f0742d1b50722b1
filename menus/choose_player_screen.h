#pragma once
// The five profile slots, one row each: a named profile can be made current or deleted
// (after a question, and never the current one), an empty slot can be made current and
// named with the name prompt.

#include "button_sprite.h"
#include "delete_dialog.h"
#include "menu_tde.h"
#include "player.h"
#include "sprite.h"
#include "text_sprite.h"

class ChoosePlayerScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    static constexpr unsigned row_count = Player::slot_count;

    enum RowCase { row_current, row_empty, row_named };

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // An open dialog takes every event; Escape acts as the back button; otherwise every
    // row's buttons that apply get the event, then the back button and the background.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    // The refresh: resync().
    void start() override;
    // Loads the background, the rows' button images and the marker.
    void on_enqueue() override;
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // Every row's buttons, name and score from its profile, the marker on the current row;
    // then the main menu's welcome line.
    virtual void resync();

    // Slot i's case; the current profile counts as current even when fresh.
    static RowCase row_case(unsigned i);
    static E2::Vec2<int> marker_pos(unsigned i) { return {64, 186 + 101 * static_cast<int>(i)}; }

    unsigned pending_deletion() const { return pending_deletion_; }
    TextSprite const& name_text(unsigned i) const { return names[i]; }
    TextSprite const& score_text(unsigned i) const { return scores[i]; }

    Sprite background;
    ButtonSprite back;
    ButtonSprite select[row_count];
    ButtonSprite create[row_count];
    ButtonSprite del[row_count];
    TextSprite names[row_count];
    TextSprite scores[row_count];
    DeleteDialog delete_dialog;
    Sprite marker;

private:
    void load_row_images(bool load);

    unsigned pending_deletion_ = 0;
};

extern ChoosePlayerScreen chooseplayerscreen;
