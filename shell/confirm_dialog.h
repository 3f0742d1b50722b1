#pragma once
// The modal yes/no dialog: a background and a confirm and a cancel button. Its owner
// shows it, gives it every event first while it is shown, ticks and draws it last, and
// reads `result` once it has closed. It ignores all input for its first 500 ms.

#include "button_sprite.h"
#include "modal_dialog.h"

class Surf;

class ConfirmDialog : public ModalDialog {
public:
    // Events are taken only after this long since show().
    static constexpr unsigned guard_ms = 500;

    static E2::Vec2<int> default_bg_pos() { return {120, 162}; }
    static E2::Vec2<int> default_bconfirm_pos_offset() { return {82, 304}; }
    static E2::Vec2<int> default_bcancel_pos_offset() { return {403, 304}; }

    // Hidden, with the background and buttons at their default places; not yet the
    // buttons' listener.
    ConfirmDialog();

    // A new dialog (the caller owns it) with the given background and the two buttons'
    // normal, over and down images at offsets from the background; it listens to both.
    static ConfirmDialog* CreateOMatic(E2::Vec2<int> const& bg_pos, Surf* bg_surf, E2::Vec2<int> const& confirm_offset,
                                       Surf* confirm_up, Surf* confirm_over, Surf* confirm_down,
                                       E2::Vec2<int> const& cancel_offset, Surf* cancel_up, Surf* cancel_over,
                                       Surf* cancel_down);

    // While shown: the guard clock, then the dialog.
    void tick(unsigned now, unsigned dt) override;
    // Hidden or guarded: false. Escape answers no, Space or Enter yes; otherwise the
    // buttons, then the background.
    bool proc_event(SDL_Event* e) override;
    // Nothing; a subclass sets its images and buttons and listens to them.
    void load(Loader* l) override;

    // The confirm button answers yes, the cancel button no.
    bool on_click(ButtonSprite* b) override;
    // Opens the dialog: no answer yet, the guard restarts.
    virtual void show();
    // More than guard_ms since show().
    virtual bool allow_events() const;
    virtual void finish(bool answer);

    bool result = false;  // true = confirmed
    ButtonSprite bconfirm;
    ButtonSprite bcancel;
    unsigned shown_ms = 0;
};
