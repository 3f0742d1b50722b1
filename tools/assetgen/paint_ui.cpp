// Dispatch of the menu, button, popup, glyph and full-screen members to their families.

#include "painters.h"
#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {

std::string stem(const std::string& name) {
    size_t slash = name.rfind('/');
    std::string s = slash == std::string::npos ? name : name.substr(slash + 1);
    size_t dot = s.rfind('.');
    return dot == std::string::npos ? s : s.substr(0, dot);
}

bool starts_with(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool ends_with(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool split_state(const std::string& stem, std::string& base, State& st) {
    static const struct {
        const char* suffix;
        State state;
    } kStates[] = {
        {"_up", State::up}, {"_over", State::over}, {"_down", State::down}, {"_off", State::off}};
    for (const auto& k : kStates) {
        if (ends_with(stem, k.suffix)) {
            base = stem.substr(0, stem.size() - std::string(k.suffix).size());
            st = k.state;
            return true;
        }
    }
    return false;
}

}  // namespace ui

void paint_ui(cairo_t* cr, int w, int h, const std::string& name) {
    using namespace ui;
    cairo_save(cr);
    bool done = paint_glyphs(cr, w, h, name) || paint_howto(cr, w, h, name) ||
                paint_popups(cr, w, h, name) || paint_choosers(cr, w, h, name) ||
                paint_screens(cr, w, h, name) || paint_widgets(cr, w, h, name) ||
                paint_buttons(cr, w, h, name);
    cairo_restore(cr);
    if (!done) {
        // Not a member of this family: a plain night plate keeps the archive complete.
        night_sky(cr, w, h, 1);
    }
}

}  // namespace assetgen
