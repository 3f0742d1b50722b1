#include "menus/support.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "app_options.h"
#include "blit_job_manager.h"
#include "player.h"
#include "qdata.h"
#include "screen_hacks.h"
#include "tde_manager.h"
#include "transition.h"

namespace menus_test {

namespace fs = std::filesystem;

Menus::Menus() = default;
Menus::~Menus() = default;

void Menus::SetUp() {
    home_env_ = std::make_unique<ScopedEnv>("HOME", home.path().c_str());
    xdg_env_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", nullptr);
    char buf[PATH_MAX];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    old_cwd_ = buf;
    ASSERT_EQ(chdir(cwd.path().c_str()), 0);
    qdata_use(nullptr, 0, "");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE), nullptr);
    ScreenHacks::set_screen_view({1024, 768});
    app_options().effects_quality = 0.0f;
    bjmgr.clear();
    reset_players();
}

void Menus::TearDown() {
    drop_all_screens();
    bjmgr.clear();
    app_options().effects_quality = 1.0f;
    reset_players();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    qdata_use_builtin();
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    xdg_env_.reset();
    home_env_.reset();
}

void Menus::reset_players() {
    for (unsigned i = 0; i < Player::slot_count; ++i) {
        Player::get(i)->clear();
        Player::get(i)->is_current = false;
    }
    Player::_cur = nullptr;
}

void Menus::image(std::string const& name, int w, int h) {
    fs::path p = fs::path(cwd.path()) / name;
    fs::create_directories(p.parent_path());
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(SDL_SaveBMP(s, p.c_str()), 0);
    SDL_FreeSurface(s);
}

void Menus::blank(std::string const& name) {
    fs::path p = fs::path(cwd.path()) / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).put('\0');
}

std::string Menus::save_folder() const { return home.path() + "/.config/Quorlan Games/Lunerra Solitaire"; }

Bytes& Bytes::u8(unsigned v) {
    s_ += static_cast<char>(v);
    return *this;
}

Bytes& Bytes::u32(std::uint32_t v) {
    for (int sh = 24; sh >= 0; sh -= 8) s_ += static_cast<char>((v >> sh) & 0xFF);
    return *this;
}

Bytes& Bytes::str(std::string const& v) {
    if (v.empty()) return u32(0);
    u32(static_cast<std::uint32_t>(v.size() + 1));
    s_ += v;
    return u8(0);
}

}  // namespace menus_test
