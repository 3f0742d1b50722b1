#pragma once
// The table of every member of the data archive: index name, image size and the
// painter that makes it. Shared by the generator, the packer and the tests.

#include <string>
#include <vector>

namespace assetgen {

enum class Painter { pieces, ui, sound };
enum class Format { png, jpeg, wav, ogg };

struct Member {
    std::string name;  // index name, e.g. "i/menu/play_up.png"
    int w = 0, h = 0;  // image size in pixels; 0 x 0 for audio
    Painter painter = Painter::ui;

    Format format() const;
    bool is_image() const { return painter != Painter::sound; }
};

// All members, in byte order of their names.
const std::vector<Member>& members();

// The member of that index name, or null.
const Member* find_member(const std::string& name);

// Format from a name's extension; false for an unknown extension.
bool format_of(const std::string& name, Format* out);

}  // namespace assetgen
