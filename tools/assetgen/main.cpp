// assetgen: paints, encodes and writes the members of the data archive.

#include "generator.h"
#include "members.h"
#include "options.h"

#include <cstdio>

namespace {

void list_members() {
    for (const assetgen::Member& m : assetgen::members()) {
        const char* painter = m.painter == assetgen::Painter::pieces ? "pieces"
                              : m.painter == assetgen::Painter::ui   ? "ui"
                                                                     : "sound";
        std::printf("%-48s %5d %5d  %s\n", m.name.c_str(), m.w, m.h, painter);
    }
}

}  // namespace

int main(int argc, char** argv) {
    assetgen::Options options;
    std::string error;
    if (!assetgen::parse_options(argc, argv, &options, &error)) {
        std::fprintf(stderr, "assetgen: %s\n%s", error.c_str(), assetgen::usage);
        return 2;
    }
    if (options.list) {
        list_members();
        return 0;
    }
    return assetgen::Generator(options).run();
}
