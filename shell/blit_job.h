#pragma once
// One draw command of the display list: an operation and a blend mode, an image or a
// colour, a screen rectangle and an extra alpha intensity.

#include <SDL/SDL.h>

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "color.h"
#include "geom.h"

class Surf;

namespace E2 {

// Bits 0-2 of a job's flags.
enum BlitOp : std::uint32_t {
    op_blit = 1,     // the surface into the rectangle, unscaled or scaled
    op_blit_im = 2,  // the colour added through the surface's red channel, scaled
    op_fill = 4,     // the rectangle filled with the colour
};

// Bits 3-7 of a job's flags.
enum BlendMode : std::uint32_t {
    blend_matte = 8,
    blend_alpha = 16,
    blend_additive = 32,
    blend_multiply = 64,
    blend_dodge = 128,
};

}  // namespace E2

// The rectangle in the media layer's 16-bit form.
SDL_Rect to_sdl_rect(E2::Rect<int> const& r);

class BlitJob {
public:
    static constexpr std::uint32_t op_mask = 0x07;
    static constexpr std::uint32_t mode_mask = 0xF8;

    // No operation, no surface, empty rectangle, opaque black, intensity 0.
    BlitJob();
    // A surface with a rectangle of size 0x0 takes the surface's screen size.
    BlitJob(E2::BlitOp op, E2::BlendMode mode, Surf const* surface, E2::Rect<int> const& rect, E2::Color color,
            unsigned char ai);
    // At pos, at the surface's screen size (0x0 without a surface).
    BlitJob(E2::BlitOp op, E2::BlendMode mode, Surf const* surface, E2::Vec2<int> const& pos, E2::Color color,
            unsigned char ai);

    std::uint32_t op() const { return flags & op_mask; }
    std::uint32_t mode() const { return flags & mode_mask; }
    // Draws the job onto dst, limited by dst's clip rectangle.
    void execute(SDL_Surface* dst) const;

    std::uint32_t flags;
    Surf const* surface;
    E2::Rect<int> rect;
    E2::Color color;
    unsigned char ai;
};

// Equal in flags, surface pointer, colour, intensity and rectangle.
bool operator==(BlitJob const& a, BlitJob const& b);
bool operator!=(BlitJob const& a, BlitJob const& b);
// Same length and pairwise equal jobs.
bool operator==(std::vector<BlitJob*> const& a, std::vector<BlitJob*> const& b);
// "{flags=.. sp=.. ai=.. cl=.. r=(x,y,w,h)}", for diagnostics.
std::ostream& operator<<(std::ostream& out, BlitJob const& j);
