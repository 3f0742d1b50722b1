#pragma once
// Command line of the asset generator.

#include <string>

namespace assetgen {

struct Options {
    std::string out_dir;       // --out DIR: members are written to DIR/<index name>
    std::string only;          // --only SUBSTRING: members whose names contain it
    bool images = true;        // --kind images|audio|all
    bool audio = true;
    std::string contact_dir;   // --contact-sheets DIR
    int jobs = 0;              // --jobs N; 0: one per hardware thread
    bool list = false;         // --list: print the member table and stop
};

// Parses argv; on failure returns false with a message in `error`.
bool parse_options(int argc, char** argv, Options* out, std::string* error);

extern const char* const usage;

}  // namespace assetgen
