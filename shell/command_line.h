#pragma once
// The program's command line: option string "wfdhRr:pAPmG:".

#include <cstddef>
#include <string>

struct CommandLine {
    bool window = false;        // -w
    bool fullscreen = false;    // -f
    bool hw_surface = false;    // -d
    bool double_buf = false;    // -h
    bool redraw_view = false;   // -R: outline every redrawn rectangle
    unsigned grid = 8;          // -r N: the display list's grid of N by N cells
    bool no_sound = false;      // -A
    bool no_parachute = false;  // -P
    bool perf = false;          // -m: performance counters on
    int geometry_w = 1024, geometry_h = 768, geometry_d = 0;  // -G WxHxD, read and unused
    std::string warning;        // what was refused or ignored, one line each, or empty
};

// The most characters of a refused value that a warning quotes.
constexpr std::size_t max_quoted_chars = 40;

// A value as a message quotes it: at most max_quoted_chars characters of it (and then its
// length), control characters shown as '?'.
std::string quoted(char const* arg);

// Reads argv with getopt; reading stops at the first non-option argument. Unknown letters
// are skipped, with one line in `warning` for each argument that holds any; an argument
// that begins with "--" (other than "--" itself, the end of the options) is skipped whole
// with one line. -r N is read with strtol(N, NULL, 0); a value that is not a whole number
// of at least 1 keeps the default and sets `warning`.
CommandLine parse_command_line(int argc, char** argv);
