// Card faces and the card glow.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

const char* const kRankText[13] = {"A", "2", "3",  "4", "5", "6", "7",
                                   "8", "9", "10", "J", "Q", "K"};

// The 800x600 window shows the cards at 25/32: each of its pixels spans 32/25 card pixels,
// counted from the card's top-left corner.
constexpr double kSmallPixel = 32.0 / 25.0;

// The corner index of every face, in card pixels; the opposite corner is the same drawing
// turned half a turn (see card_face). Rank and suit sit side by side, wholly inside the 26
// rows that a covered tableau card leaves showing. The suit symbol is placed on whole pixels
// of the 800x600 window, where it is drawn one cell to a pixel (index_suit_path).
struct IndexGeometry {
    const char* font;    // one bold, narrow face for all ranks
    double rank_left;    // left edge of the rank column
    double rank_w;       // rank column width: ranks are centred in it, wider ones narrowed
    double rank_top;     // top of the capitals and figures
    double rank_h;       // their height ("K" sets the scale of every rank)
    double rank_gap;     // ink gap between the two figures of "10"
    int suit_col;        // the suit symbol's top-left pixel in the 800x600 window
    int suit_row;
    int suit_pixels;     // its height and width there

    double suit_left() const { return suit_col * kSmallPixel; }
    double suit_top() const { return suit_row * kSmallPixel; }
    double suit_size() const { return suit_pixels * kSmallPixel; }
};

constexpr IndexGeometry kIndex = {"Nimbus Sans Narrow Bold", 3.0, 12.0, 2.0, 15.0, 0.8, 13, 2, 9};

// Flat inks of the faces: a warm, fairly light red and a near black, far apart in lightness
// as well as hue so that they stay apart for players who see red and green alike.
constexpr Rgb kRedInk = hex(0xd8351a);
constexpr Rgb kBlackInk = hex(0x111319);

bool is_red(int suit) { return suit == 1 || suit == 2; }

Rgb ink_of(int suit) { return is_red(suit) ? kRedInk : kBlackInk; }

// Fills a suit shape with the suit's ink and a soft top-to-bottom sheen.
void fill_pip(cairo_t* cr, int suit, double cx, double cy, double size) {
    const Rgb base = ink_of(suit);
    const Rgb top = is_red(suit) ? hex(0xe6503c) : hex(0x2b3042);
    const Rgb bottom = is_red(suit) ? hex(0xaa1c12) : hex(0x07080c);
    cairo_new_path(cr);
    suit_path(cr, suit, cx, cy, size);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx, cy - size / 2, cx, cy + size / 2);
    add_stop(g, 0, top);
    add_stop(g, 0.55, base);
    add_stop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void face_base(cairo_t* cr) {
    rounded_rect(cr, 0.5, 0.5, kCardW - 1, kCardH - 1, kCardRadius);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kCardW * 0.3, kCardH);
    add_stop(g, 0, hex(0xfffefa));
    add_stop(g, 0.6, hex(0xfbf8ef));
    add_stop(g, 1, hex(0xf1ede2));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_rgb(cr, hex(0x6f7896));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A faint inner line of moonlit lavender.
    rounded_rect(cr, 2.5, 2.5, kCardW - 5, kCardH - 5, kCardRadius - 2);
    set_rgb(cr, kLavender, 0.22);
    cairo_stroke(cr);
}

// Adds the rank's outline to the path: each character scaled to the rank height, the
// characters set `rank_gap` apart, the whole narrowed to the column when wider.
void rank_path(cairo_t* cr, const std::string& rank) {
    TextStyle st;
    st.font = kIndex.font;
    st.size_px = 40;
    struct Part {
        cairo_path_t* path;
        double left, w;
    };
    std::vector<Part> parts;
    double total = kIndex.rank_gap * (rank.size() - 1);
    cairo_path_t* prev = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    for (char ch : rank) {
        cairo_new_path(cr);
        fitted_text_path(cr, std::string(1, ch), st, 0, 0, kIndex.rank_h, 0, Align::left, "K");
        double x1, y1, x2, y2;
        cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
        parts.push_back({cairo_copy_path(cr), x1, x2 - x1});
        total += x2 - x1;
    }
    cairo_new_path(cr);
    cairo_restore(cr);
    cairo_append_path(cr, prev);
    cairo_path_destroy(prev);
    const double k = std::min(1.0, kIndex.rank_w / total);
    double x = kIndex.rank_left + (kIndex.rank_w - total * k) / 2;
    for (const Part& p : parts) {
        cairo_save(cr);
        cairo_translate(cr, x - k * p.left, kIndex.rank_top);
        cairo_scale(cr, k, 1);
        cairo_append_path(cr, p.path);
        cairo_restore(cr);
        x += (p.w + kIndex.rank_gap) * k;
        cairo_path_destroy(p.path);
    }
}

// The rank and suit in the top-left corner, in flat ink; the caller turns the card for the
// other corner.
void corner_index(cairo_t* cr, int suit, int rank) {
    cairo_new_path(cr);
    rank_path(cr, kRankText[rank]);
    set_rgb(cr, ink_of(suit));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_new_path(cr);
    const double size = kIndex.suit_size();
    index_suit_path(cr, suit, kIndex.suit_left() + size / 2, kIndex.suit_top() + size / 2, size);
    set_rgb(cr, ink_of(suit));
    cairo_fill(cr);
}

struct Spot {
    double col, t;  // column -1, 0, 1; t from 0 (top row) to 1 (bottom row)
};

void pips(cairo_t* cr, int suit, int rank) {
    static const Spot k2[] = {{0, 0}, {0, 1}};
    static const Spot k3[] = {{0, 0}, {0, 0.5}, {0, 1}};
    static const Spot k4[] = {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
    static const Spot k5[] = {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}};
    static const Spot k6[] = {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
    static const Spot k7[] = {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
    static const Spot k8[] = {{-1, 0},  {1, 0},    {0, 0.25}, {-1, 0.5},
                              {1, 0.5}, {0, 0.75}, {-1, 1},   {1, 1}};
    static const Spot k9[] = {{-1, 0},       {1, 0},       {-1, 1.0 / 3}, {1, 1.0 / 3}, {0, 0.5},
                              {-1, 2.0 / 3}, {1, 2.0 / 3}, {-1, 1},       {1, 1}};
    static const Spot k10[] = {{-1, 0},      {1, 0},        {0, 1.0 / 6}, {-1, 1.0 / 3},
                               {1, 1.0 / 3}, {-1, 2.0 / 3}, {1, 2.0 / 3}, {0, 5.0 / 6},
                               {-1, 1},      {1, 1}};
    struct Layout {
        const Spot* s;
        int n;
    };
    static const Layout layouts[] = {{k2, 2}, {k3, 3}, {k4, 4}, {k5, 5},  {k6, 6},
                                     {k7, 7}, {k8, 8}, {k9, 9}, {k10, 10}};
    const Layout& L = layouts[rank - 1];
    const double cx = kCardW / 2.0, dx = 20.5, y0 = 30, y1 = kCardH - 30;
    const double size = rank >= 8 ? 18.5 : 20;
    for (int i = 0; i < L.n; ++i) {
        double x = cx + L.s[i].col * dx, y = y0 + (y1 - y0) * L.s[i].t;
        cairo_save(cr);
        if (L.s[i].t > 0.5) {
            cairo_translate(cr, x, y);
            cairo_rotate(cr, kPi);
            cairo_translate(cr, -x, -y);
        }
        fill_pip(cr, suit, x, y, size);
        cairo_restore(cr);
    }
}

void ace(cairo_t* cr, int suit) {
    const double cx = kCardW / 2.0, cy = kCardH / 2.0;
    // Moon halo behind the pip.
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy - 4, 2, cx, cy, 38);
    add_stop(g, 0, hex(0xf4f5ff), 0.95);
    add_stop(g, 0.7, hex(0xe4e7fb), 0.8);
    add_stop(g, 1, hex(0xe4e7fb), 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, 38, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.9);
    cairo_arc(cr, cx, cy, 34, 0, 2 * kPi);
    set_rgb(cr, kLavender, 0.75);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.6);
    cairo_arc(cr, cx, cy, 31.2, 0, 2 * kPi);
    set_rgb(cr, hex(0xc9a548), 0.8);
    cairo_stroke(cr);
    // Sparkles around the ring, a crescent at its top.
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4;
        if (i == 0) continue;
        double r = (i % 2 == 0) ? 3.6 : 2.4;
        cairo_new_path(cr);
        sparkle_path(cr, cx + 34 * std::sin(a), cy - 34 * std::cos(a), r, 0.22);
        set_rgb(cr, hex(0xc9a548));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    crescent_path(cr, cx, cy - 34, 4.2, 1.9, -1.3, 3.6);
    set_rgb(cr, hex(0xc9a548));
    cairo_fill(cr);

    const double size = suit == 3 ? 52 : suit == 1 ? 50 : 46;
    // Gold rim: a wide stroke under the fill.
    cairo_new_path(cr);
    suit_path(cr, suit, cx, cy, size);
    set_rgb(cr, hex(0xd4b05a));
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    fill_pip(cr, suit, cx, cy, size);
    // Moonlit sheen on the upper left.
    cairo_save(cr);
    cairo_new_path(cr);
    suit_path(cr, suit, cx, cy, size);
    cairo_clip(cr);
    cairo_pattern_t* s = cairo_pattern_create_radial(cx - size * 0.22, cy - size * 0.2, 1,
                                                     cx - size * 0.1, cy - size * 0.1, size * 0.5);
    add_stop(s, 0, kSilver, 0.35);
    add_stop(s, 1, kSilver, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
    if (suit == 3) {
        // The spade carries a gold crescent and star.
        cairo_new_path(cr);
        crescent_path(cr, cx - 1.5, cy + 1, 7.5, 3.4, -2.2, 6.4);
        set_rgb(cr, kGold);
        cairo_fill(cr);
        cairo_new_path(cr);
        star_path(cr, cx + 5.2, cy - 3.6, 2.8, 1.1, 5);
        cairo_fill(cr);
    }
}

}  // namespace

void card_face(cairo_t* cr, int w, int h, int suit, int rank) {
    cairo_save(cr);
    cairo_scale(cr, w / double(kCardW), h / double(kCardH));
    face_base(cr);
    if (rank == 0)
        ace(cr, suit);
    else if (rank <= 9)
        pips(cr, suit, rank);
    else
        court_portrait(cr, suit, rank);
    corner_index(cr, suit, rank);
    // The turned corner moves inward by less than a pixel of the 800x600 window, so that its
    // suit symbol lies on that window's pixels as well.
    const double turned_left = kCardW - kIndex.suit_left() - kIndex.suit_size();
    const double turned_top = kCardH - kIndex.suit_top() - kIndex.suit_size();
    cairo_translate(cr, kCardW - std::fmod(turned_left, kSmallPixel),
                    kCardH - std::fmod(turned_top, kSmallPixel));
    cairo_rotate(cr, kPi);
    corner_index(cr, suit, rank);
    cairo_restore(cr);
}

void card_glow(cairo_t* cr, int w, int h) {
    // Distance field of the card's rounded outline, which lies 4 px inside the image.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const double m = 4, r = kCardRadius;
    const double x0 = m + r, x1 = w - m - r, y0 = m + r, y1 = h - m - r;
    const Rgb inner = hex(0xffe08a), outer = hex(0xc2c8ff);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            double sum_a = 0, sr = 0, sg = 0, sb = 0;
            // 3x3 supersampling for a smooth ring.
            for (int sy = 0; sy < 3; ++sy)
                for (int sx = 0; sx < 3; ++sx) {
                    double px = x + (sx + 0.5) / 3, py = y + (sy + 0.5) / 3;
                    double qx = std::max(x0 - px, px - x1), qy = std::max(y0 - py, py - y1);
                    double d = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                               std::min(std::max(qx, qy), 0.0) - r;
                    // d: signed distance to the outline, positive outside.
                    // Bright line on the outline, a lavender halo fading outwards.
                    double core = 0.95 * std::exp(-(d - 0.9) * (d - 0.9) / 1.1);
                    const double u = std::min(1.0, std::max(0.0, d / 4.0));
                    double halo = d > 0 ? 0.95 * (1 - u) * (1 - u * u * u * u)
                                        : 0.9 * std::exp(-std::pow(d / 1.4, 2));
                    double a = std::max(core, halo);
                    double t = std::clamp(d / 4.5, 0.0, 1.0);
                    Rgb c = mix(inner, outer, core > halo ? t * 0.4 : 0.3 + 0.7 * t);
                    sum_a += a;
                    sr += c.r * a;
                    sg += c.g * a;
                    sb += c.b * a;
                }
            sum_a /= 9;
            sr /= 9;
            sg /= 9;
            sb /= 9;
            auto b8 = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
            row[x] = (b8(sum_a) << 24) | (b8(sr) << 16) | (b8(sg) << 8) | b8(sb);
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

}  // namespace pieces
}  // namespace assetgen
