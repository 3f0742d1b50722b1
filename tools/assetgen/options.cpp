#include "options.h"

#include <cstdlib>

namespace assetgen {

const char* const usage =
    "usage: assetgen --out DIR [--only SUBSTRING] [--kind images|audio|all]\n"
    "                [--contact-sheets DIR] [--jobs N]\n"
    "       assetgen --list\n";

bool parse_options(int argc, char** argv, Options* out, std::string* error) {
    *out = Options{};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            out->list = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = "missing value after " + arg;
            return false;
        }
        const std::string value = argv[++i];
        if (arg == "--out") out->out_dir = value;
        else if (arg == "--only") out->only = value;
        else if (arg == "--contact-sheets") out->contact_dir = value;
        else if (arg == "--jobs") out->jobs = std::atoi(value.c_str());
        else if (arg == "--kind") {
            if (value != "images" && value != "audio" && value != "all") {
                *error = "unknown kind: " + value;
                return false;
            }
            out->images = value != "audio";
            out->audio = value != "images";
        } else {
            *error = "unknown option: " + arg;
            return false;
        }
    }
    if (!out->list && out->out_dir.empty() && out->contact_dir.empty()) {
        *error = "nothing to do: give --out or --contact-sheets";
        return false;
    }
    return true;
}

}  // namespace assetgen
