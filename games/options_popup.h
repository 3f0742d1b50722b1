#pragma once
// A game's rule options as check boxes on a yes/no dialog: applying hands the boxes'
// values back to the rules object in box order, cancelling changes nothing.

#include <vector>

#include "checkbox_sprite.h"
#include "confirm_dialog.h"
#include "geom.h"
#include "solitaire_rules.h"

class SolitaireRules::OptionsPopup : public ConfirmDialog {
public:
    static E2::Vec2<int> bg_pos() { return {120, 162}; }
    static E2::Vec2<int> apply_pos() { return {555, 472}; }
    static E2::Vec2<int> cancel_pos() { return {171, 473}; }
    // Box i (from 0) of a game's popup, and the area around it that takes the click.
    static E2::Vec2<int> box_pos(unsigned i) { return {201, 268 + 73 * static_cast<int>(i)}; }
    static E2::Rect<int> box_area() { return {-4, -4, 600, 45}; }

    // A game's popup: one box per value at box_pos(i), the background
    // ".i/game/popup_<namecode>_options_bg.png", loaded from the global loader. The caller owns it.
    static OptionsPopup* create_for(SolitaireRules& rules, std::vector<bool> const& values);

    // No boxes yet.
    explicit OptionsPopup(SolitaireRules& rules);
    ~OptionsPopup() override;

    void tick(unsigned now, unsigned dt) override;
    // The dialog, then the boxes above it.
    void display(SDL_Surface* s) const override;
    // The dialog's buttons and keys first, then the boxes in order; nothing while hidden
    // or in the dialog's first 500 ms.
    bool proc_event(SDL_Event* e) override;
    // The buttons' and boxes' images and places.
    void load(Loader* l) override;
    // Applying passes the boxes' values to the rules object.
    void finish(bool ok) override;
    virtual Sprite* get_bg();

    // A box at pos, hit in `area` (relative to pos), set to value.
    void add_cb(E2::Vec2<int> const& pos, E2::Rect<int> const& area, bool value);
    std::vector<bool> values() const;

    SolitaireRules& rules;
    std::vector<CheckboxSprite*> checkboxes;  // owned, in adding order
};
