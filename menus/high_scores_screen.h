#pragma once
// The six high-score tables, one per game type, of ten rows each (a name and the score as
// decimal text, row 0 the best), kept in "highscores.dat", and the screen that shows one
// table at a time with a tab per game.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "button_sprite.h"
#include "game_tabs.h"
#include "menu_tde.h"
#include "sprite.h"
#include "text_sprite.h"

class HighScoresScreenBase : public MenuTDE, public ButtonSprite::Listener {
public:
    virtual void read() = 0;
    virtual void save() = 0;
    virtual bool is_highscore(int score) const = 0;
    // The row the score went to, or -1.
    virtual int add_score(std::string const& name, int score) = 0;
};

class HighScoresScreen : public HighScoresScreenBase {
public:
    struct HSPair {
        std::string name;
        std::string score;  // decimal text; empty for a free place
    };

    static constexpr unsigned table_count = 6;
    static constexpr unsigned row_count = 10;
    static constexpr std::uint32_t magic = 0xA5743714u;
    // Names read from the file are cut to this many bytes; the rest is never held.
    static constexpr std::size_t max_name_bytes = 64;
    static constexpr char const* default_name = "Quorlan Games!";

    HighScoresScreen();

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape acts as the back button; then the back button, the tabs, the background.
    bool proc_event(SDL_Event* e) override;
    // Reads the file, then lays the screen out.
    void load(Loader* l) override;
    // Loads the background; the table of the current player's game is shown.
    void on_enqueue() override;
    void on_dequeue() override;

    // Every row to the default, then the file's rows when its magic matches. A damaged
    // file yields tables the screen can use: a name keeps the characters the name entry
    // types, a score text becomes the text of the number it ranks as, a string cut by the
    // end of the file reads as empty, and each table is put best first with its free
    // places last. A file that is not one whole set of tables is kept as it is until the
    // next save moves it aside.
    void read() override;
    // The whole file, written through a temporary; a failure is told on stderr.
    void save() override;
    // True when the score would enter the current player's game's table.
    bool is_highscore(int score) const override;
    // Enters the score in the current player's game's table and saves the file.
    int add_score(std::string const& name, int score) override;

    bool on_click(ButtonSprite* b) override;

    std::string filename() const;
    // Shows the current table's rows.
    void resync() const;

    // A score text as stream extraction reads an int; out of range saturates, a text
    // that does not begin with a number reads as 0.
    static int score_value(std::string const& text);

    unsigned current_table() const { return current_; }
    std::vector<HSPair> const& table(unsigned t) const { return tables_[t]; }
    std::vector<HSPair>& table(unsigned t) { return tables_[t]; }
    TextSprite const& name_text(unsigned r) const { return names_[r]; }
    TextSprite const& score_text(unsigned r) const { return scores_[r]; }

    Sprite background;
    ButtonSprite back;
    GameTabs tabs;

private:
    // The table becomes t (a valid game type) and its rows are shown.
    void select_table(unsigned t) const;
    void select_players_table() const;
    // The first row that the score beats, or row_count.
    unsigned rank(int score) const;

    mutable unsigned current_ = 0;
    std::vector<std::vector<HSPair>> tables_;
    mutable TextSprite names_[row_count];
    mutable TextSprite scores_[row_count];
};

// The one high-score screen, built on first use.
HighScoresScreen* highscoresscreen();
