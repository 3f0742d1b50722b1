#include "text.h"

#include <pango/pangocairo.h>

namespace assetgen {
namespace {

PangoLayout* make_layout(cairo_t* cr, const std::string& utf8, const TextStyle& st,
                         double wrap_width, Align align) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    // Fixed resolution so that pixel sizes are exact whatever the machine's settings.
    pango_cairo_context_set_resolution(pango_layout_get_context(layout), 96.0);
    pango_layout_context_changed(layout);

    PangoFontDescription* desc = pango_font_description_from_string(st.font.c_str());
    pango_font_description_set_absolute_size(desc, st.size_px * PANGO_SCALE);
    if (st.bold) pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
    if (st.italic) pango_font_description_set_style(desc, PANGO_STYLE_ITALIC);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);

    if (st.letter_spacing_px != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(
                                          static_cast<int>(st.letter_spacing_px * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    if (wrap_width > 0) {
        pango_layout_set_width(layout, static_cast<int>(wrap_width * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, align == Align::center  ? PANGO_ALIGN_CENTER
                                           : align == Align::right ? PANGO_ALIGN_RIGHT
                                                                   : PANGO_ALIGN_LEFT);
    }
    pango_layout_set_text(layout, utf8.c_str(), -1);
    return layout;
}

TextExtent extent_of(PangoLayout* layout) {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    TextExtent e;
    e.w = double(logical.width) / PANGO_SCALE;
    e.h = double(logical.height) / PANGO_SCALE;
    e.ink_x = double(ink.x) / PANGO_SCALE;
    e.ink_y = double(ink.y) / PANGO_SCALE;
    e.ink_w = double(ink.width) / PANGO_SCALE;
    e.ink_h = double(ink.height) / PANGO_SCALE;
    e.baseline = double(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    return e;
}

// Left edge of the layout box for an alignment; wrapped text aligns inside its width.
double origin_x(const TextExtent& e, double x, Align align, double wrap_width) {
    double w = wrap_width > 0 ? wrap_width : e.w;
    switch (align) {
        case Align::center: return x - w / 2;
        case Align::right: return x - w;
        default: return x;
    }
}

TextExtent place(cairo_t* cr, const std::string& utf8, const TextStyle& st, double x, double y,
                 Align align, double wrap_width, bool fill) {
    PangoLayout* layout = make_layout(cr, utf8, st, wrap_width, align);
    TextExtent e = extent_of(layout);
    cairo_save(cr);
    cairo_move_to(cr, origin_x(e, x, align, wrap_width), y);
    if (fill) {
        cairo_set_source_rgba(cr, st.r, st.g, st.b, st.a);
        pango_cairo_show_layout(cr, layout);
        cairo_restore(cr);
    } else {
        // The path is not part of the saved state: it outlives the restore.
        pango_cairo_layout_path(cr, layout);
        cairo_restore(cr);
    }
    g_object_unref(layout);
    return e;
}

}  // namespace

TextExtent measure_text(cairo_t* cr, const std::string& utf8, const TextStyle& st,
                        double wrap_width) {
    PangoLayout* layout = make_layout(cr, utf8, st, wrap_width, Align::left);
    TextExtent e = extent_of(layout);
    g_object_unref(layout);
    return e;
}

TextExtent draw_text(cairo_t* cr, const std::string& utf8, const TextStyle& st, double x,
                     double y, Align align, double wrap_width) {
    return place(cr, utf8, st, x, y, align, wrap_width, true);
}

TextExtent text_path(cairo_t* cr, const std::string& utf8, const TextStyle& st, double x,
                     double y, Align align, double wrap_width) {
    return place(cr, utf8, st, x, y, align, wrap_width, false);
}

}  // namespace assetgen
