#include "name_entry.h"

#include "glyph_set.h"
#include "loader.h"

void apply_name_entry_settings(TextSprite& t, Loader* l) {
    t.glyphs = &menu_glyphs;
    t.align = TextSprite::align_center;
    t.set_pos(512, 334);
    t.max_length = longest_name;
    t.cursor.surface = l->schedule_surface(".i/menu/cursor.png");
    t.cursor.set_pos(509, 322);
}
