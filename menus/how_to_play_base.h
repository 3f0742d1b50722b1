#pragma once
// A paged screen of full-screen pictures: previous and next buttons (wrapping around by
// default), a done button that returns to the screen that opened it, and a check box for
// the current player's show-rules flag of its current game type. Only the page on show is
// held in memory.

#include <memory>
#include <vector>

#include "button_sprite.h"
#include "checkbox_sprite.h"
#include "menu_tde.h"
#include "sprite.h"

class HowToPlayBase : public MenuTDE, public ButtonSprite::Listener {
public:
    HowToPlayBase();

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape acts as the done button; then the page buttons, the done button and the
    // check box; the rest goes to the page and counts as not consumed.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    // Loads the page on show and the widgets' images, then sync_ui().
    void on_enqueue() override;
    // keep(), then the page's image is unloaded.
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // Shows page p, unloading the old page's image and loading the new one's.
    virtual void set_pageno(unsigned p);
    virtual unsigned pageno() const { return current_; }
    // "page<n>", from 0.
    std::string phase() const override { return "page" + std::to_string(current_); }
    virtual bool should_wrap() const { return wrap_; }
    virtual void set_should_wrap(bool w) { wrap_ = w; }
    virtual void next_page();
    virtual void prev_page();
    // To the return target, or to the main menu without one.
    virtual void finish();
    virtual void set_return_to(TDE* t) { return_to_ = t; }
    // The page buttons' enabled states and the check box from the current player.
    virtual void sync_ui();

    // The leaving step: the check box becomes the current player's show-rules flag of its
    // current game type, and every player file is written.
    void keep();

    // Between on_enqueue and on_dequeue.
    bool is_entered() const { return entered_; }
    TDE* return_to() const { return return_to_; }
    std::size_t page_count() const { return pages_.size(); }
    Sprite* page(unsigned i) const { return i < pages_.size() ? pages_[i].get() : nullptr; }
    void add_page(Sprite* p) { pages_.emplace_back(p); }

    ButtonSprite prev;
    ButtonSprite next;
    ButtonSprite done;
    CheckboxSprite show_rules;

private:
    std::vector<std::unique_ptr<Sprite>> pages_;
    unsigned current_ = 0;
    bool wrap_ = true;
    TDE* return_to_ = nullptr;
    bool entered_ = false;
};
