#pragma once
// Shared pieces of the menu tests: a fresh HOME and working folder per test, loose image
// files for the loader, empty profiles, and input events in world coordinates.

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <memory>
#include <string>

#include "engine/temp_dir.h"
#include "shell/events.h"

namespace menus_test {

// HOME points at a fresh folder (XDG_CONFIG_HOME unset) and the working folder is another
// fresh one, where loose images are found (the archive is out of use); the five profiles are empty with slot 0
// current; the video runs on the dummy driver; screen fades are off.
class Menus : public ::testing::Test {
protected:
    Menus();
    ~Menus() override;
    void SetUp() override;
    void TearDown() override;

    // A decodable w x h image at the asset path `name`.
    void image(std::string const& name, int w, int h);
    // A file the loader finds but cannot decode: it stays unloaded and is not drawn.
    void blank(std::string const& name);
    // The save folder and a file in it.
    std::string save_folder() const;
    std::string saved(std::string const& file) const { return save_folder() + "/" + file; }

    static void reset_players();

    TempDir home;
    TempDir cwd;

private:
    std::unique_ptr<ScopedEnv> home_env_, xdg_env_;
    std::string old_cwd_;
};

inline SDL_Event press(int x, int y, Uint8 button = 1) {
    return test::mouse_button(SDL_MOUSEBUTTONDOWN, button, x, y, SDL_PRESSED);
}
inline SDL_Event release(int x, int y, Uint8 button = 1) { return test::mouse_button(SDL_MOUSEBUTTONUP, button, x, y); }
inline SDL_Event motion(int x, int y, bool held) { return test::mouse_motion(x, y, 0, 0, held ? SDL_BUTTON(1) : 0); }
inline SDL_Event key(SDLKey k) {
    return test::key_event(SDL_KEYDOWN, k, KMOD_NONE, SDL_PRESSED, static_cast<Uint16>(k < 128 ? k : 0));
}
// Offers the event to a screen.
template <typename Screen>
bool send(Screen& s, SDL_Event e) {
    return s.proc_event(&e);
}

// Big-endian bytes of the record files, written out by hand.
class Bytes {
public:
    Bytes& u8(unsigned v);
    Bytes& u32(std::uint32_t v);
    Bytes& str(std::string const& v);
    std::string const& str() const { return s_; }

private:
    std::string s_;
};

}  // namespace menus_test
