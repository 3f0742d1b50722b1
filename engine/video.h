#pragma once
// The single record of the video mode: the mode set now and the desktop's size.

#include <SDL/SDL.h>

#include <cstdint>
#include <iosfwd>

namespace E2 {

struct VideoMode {
    uint16_t w = 0;  // 0 = choose
    uint16_t h = 0;  // 0 = choose
    uint8_t bpp = 0;  // 0 = the current display depth
    uint32_t flags = 0;
    bool is_fullscreen = false;
    bool is_resizable = false;
    float v_gamma_r = 0, v_gamma_g = 0, v_gamma_b = 0;  // 0 = leave the gamma alone
};

std::ostream& operator<<(std::ostream& os, VideoMode const& m);

class Video {
public:
    // Window placement record; nothing fills it on this platform.
    struct Window {
        int x = 0, y = 0;
        unsigned w = 0, h = 0;
    };

    VideoMode const& mode() const { return current_; }
    VideoMode const& desktop_mode() const;
    bool is_widescreen() const;

    bool set_mode_exactly(VideoMode const& mode);
    bool set_recommended_mode(VideoMode const& request);

    Window* window();
    void init();

    // The complete mode that set_recommended_mode asks for.
    static VideoMode recommended(VideoMode const& request);
    // At least 1.4 times as wide as high, in single precision; false for a zero size.
    static bool is_widescreen_size(unsigned w, unsigned h);

private:
    friend Video* get_video();
    Video() = default;

    VideoMode current_;
    Window* window_ = nullptr;
};

// The one video record; the first call reads the desktop size from the media layer,
// so it must come after the video subsystem starts and before the first mode is set.
Video* get_video();

}  // namespace E2
