// The six how-to-play pages: the rules of each game set in two columns, with the
// "show these rules" box at the bottom left; y 660 and below stays clear for the buttons.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui_parts.h"
#include "ui_theme.h"
#include "ui_rules.h"

namespace assetgen {
namespace ui {
namespace {

struct Word {
    std::string text;
    bool strong;  // set in gold
    double w;
};

struct Line {
    std::vector<Word> words;
    double indent;
    bool bullet;
};

// Splits a paragraph into words; text between { and } is emphasised.
std::vector<Word> words_of(const std::string& p) {
    std::vector<Word> out;
    bool strong = false;
    std::string cur;
    auto flush = [&] {
        if (!cur.empty()) out.push_back({cur, strong, 0});
        cur.clear();
    };
    for (char c : p) {
        if (c == '{' || c == '}') {
            flush();
            strong = c == '{';
        } else if (c == ' ') {
            flush();
        } else {
            cur += c;
        }
    }
    flush();
    return out;
}

struct Typeset {
    double size;
    TextStyle body, strong, head;
    double space, line_h, head_h, para_gap, head_gap;

    explicit Typeset(double s) : size(s) {
        body = style(kBodyFont, s, kSilver);
        strong = style("Linux Biolinum O Bold", s, kGoldPale);
        head = style(kLabelFont, s * 1.28, kGold);
        line_h = std::round(s * 1.32);
        head_h = std::round(s * 1.28 * 1.3);
        para_gap = std::round(s * 0.35);
        head_gap = std::round(s * 0.8);
    }
};

// Greedy line breaking of one paragraph at the given width.
std::vector<Line> break_lines(cairo_t* cr, const Typeset& ts, const std::string& para,
                              double width) {
    bool bullet = !para.empty() && para[0] == '*';
    std::vector<Word> ws = words_of(bullet ? para.substr(1) : para);
    double space = measure_text(cr, "a a", ts.body).w - measure_text(cr, "aa", ts.body).w;
    double indent = bullet ? ts.size * 1.1 : 0;
    std::vector<Line> lines;
    Line cur{{}, indent, bullet};
    double x = 0;
    for (Word& w : ws) {
        w.w = measure_text(cr, w.text, w.strong ? ts.strong : ts.body).w;
        double need = cur.words.empty() ? w.w : x + space + w.w;
        if (!cur.words.empty() && indent + need > width) {
            lines.push_back(cur);
            cur = Line{{}, indent, false};
            x = 0;
            need = w.w;
        }
        cur.words.push_back(w);
        x = need;
    }
    if (!cur.words.empty()) lines.push_back(cur);
    return lines;
}

struct Block {
    std::string heading;
    std::vector<std::vector<Line>> paras;
    double height;
};

Block layout_section(cairo_t* cr, const Typeset& ts, const RuleSection& s, double width) {
    Block b{s.heading, {}, ts.head_h};
    for (const std::string& p : s.paras) {
        b.paras.push_back(break_lines(cr, ts, p, width));
        b.height += b.paras.back().size() * ts.line_h + ts.para_gap;
    }
    return b;
}

void draw_block(cairo_t* cr, const Typeset& ts, const Block& b, double x, double y, double width) {
    TextExtent he = measure_text(cr, b.heading, ts.head);
    outlined(cr, b.heading, ts.head, x, y, Align::left, 2.5, kGold);
    // A fading gold rule after the heading.
    double rx = x + he.w + 12, ry = y + he.baseline - ts.size * 0.3;
    cairo_pattern_t* g = cairo_pattern_create_linear(rx, 0, x + width, 0);
    gradient_stop(g, 0, kGold, 0.55);
    gradient_stop(g, 1, kGold, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, rx, ry, x + width - rx, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    y += ts.head_h;
    double space = measure_text(cr, "a a", ts.body).w - measure_text(cr, "aa", ts.body).w;
    for (const auto& para : b.paras) {
        for (const Line& l : para) {
            double px = x + l.indent;
            if (l.bullet) {
                set(cr, kGold, 0.95);
                star4(cr, x + ts.size * 0.4, y + ts.size * 0.62, ts.size * 0.33, ts.size * 0.07);
                cairo_fill(cr);
            }
            for (const Word& w : l.words) {
                const TextStyle& st = w.strong ? ts.strong : ts.body;
                outlined(cr, w.text, st, px, y, Align::left, 0, {st.r, st.g, st.b}, 1.0);
                px += w.w + space;
            }
            y += ts.line_h;
        }
        y += ts.para_gap;
    }
}

// Flows the sections into two columns; shrinks the type until everything fits.
void set_rules(cairo_t* cr, const std::vector<RuleSection>& sections, double top, double bottom,
               const double col_x[2], double col_w) {
    for (double size = 18.5; size >= 13; size -= 0.5) {
        Typeset ts(size);
        std::vector<Block> blocks;
        for (const RuleSection& s : sections) blocks.push_back(layout_section(cr, ts, s, col_w));
        // Choose the split that balances the two columns best.
        size_t best = blocks.size();
        double best_h = 1e9;
        for (size_t split = 1; split <= blocks.size(); ++split) {
            double h0 = 0, h1 = 0;
            for (size_t i = 0; i < blocks.size(); ++i)
                (i < split ? h0 : h1) += blocks[i].height + ts.head_gap;
            double h = std::max(h0, h1);
            if (h < best_h) {
                best_h = h;
                best = split;
            }
        }
        if (best_h - ts.head_gap > bottom - top && size > 13) continue;
        double y[2] = {top, top};
        for (size_t i = 0; i < blocks.size(); ++i) {
            int c = i < best ? 0 : 1;
            draw_block(cr, ts, blocks[i], col_x[c], y[c], col_w);
            y[c] += blocks[i].height + ts.head_gap;
        }
        return;
    }
}

void howto_page(cairo_t* cr, int w, int h, int game) {
    static const char* names[6] = {"Klondike", "FreeCell", "Spider", "TriPeaks", "Yukon", "Golf"};
    menu_backdrop(cr, w, h, 20 + game, 940, 54, 34);
    // The rule and the subtitle hang from the title's baseline, not its ink, so that a name
    // with a descender (Spider) has them where the other pages do; the title goes over the rule.
    double below = 6 + measure_text(cr, names[game], style(kTitleFont, 52, kSilver)).baseline + 1;
    divider(cr, w / 2.0, below + 9, 200);
    title(cr, names[game], w / 2.0, 6, 52);
    TextStyle sub = style("Linux Libertine O Italic", 19, kSilverDim);
    outlined(cr, "How to play", sub, w / 2.0, below + 13, Align::center, 2.5, kSilverDim);

    panel(cr, 26, 104, 972, 548, 22, 0.86);
    // A faint rule between the columns.
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 124, 0, 632);
    gradient_stop(g, 0, kSilver, 0);
    gradient_stop(g, 0.5, kSilver, 0.25);
    gradient_stop(g, 1, kSilver, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 511.5, 124, 1, 508);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    const double cols[2] = {50, 536};
    set_rules(cr, rules_of(game), 120, 642, cols, 440);

    // Calm strip for the buttons, with the show-rules box.
    cairo_pattern_t* f = cairo_pattern_create_linear(0, 660, 0, h);
    gradient_stop(f, 0, kInk, 0.35);
    gradient_stop(f, 1, kInk, 0.7);
    cairo_set_source(cr, f);
    cairo_rectangle(cr, 0, 660, w, h - 660);
    cairo_fill(cr);
    cairo_pattern_destroy(f);
    box_outline(cr, 13, 692);
    TextStyle cap = style(kBodyFont, 17, kSilver);
    Typeset ts(17);
    std::vector<Line> lines = break_lines(cr, ts, "Show these rules before each game", 180);
    double lh = 21, y0 = 708 - lines.size() * lh / 2;
    for (const Line& l : lines) {
        std::string s;
        for (const Word& wd : l.words) s += (s.empty() ? "" : " ") + wd.text;
        TextExtent ce = measure_text(cr, s, cap);
        outlined(cr, s, cap, 54, y0 + lh / 2 - ce.baseline + 17 * 0.34, Align::left, 2.5, kSilver);
        y0 += lh;
    }
    screen_frame(cr, w, h);
}

}  // namespace

bool paint_howto(cairo_t* cr, int w, int h, const std::string& name) {
    const std::string s = stem(name);
    if (!starts_with(s, "howtoplay") || !ends_with(s, "_bg") || s.size() != 13) return false;
    int n = s[9] - '1';
    if (n < 0 || n > 5) return false;
    howto_page(cr, w, h, n);
    return true;
}

}  // namespace ui
}  // namespace assetgen
