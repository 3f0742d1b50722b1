#include "command_line.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void warn(CommandLine& cl, std::string const& text) {
    if (!cl.warning.empty()) cl.warning += "; ";
    cl.warning += text;
}

// A refused value as the warning quotes it: at most max_quoted_chars characters of it.
std::string quoted(char const* arg) {
    std::string s(arg);
    if (s.size() > max_quoted_chars) s = s.substr(0, max_quoted_chars) + "... (" + std::to_string(s.size()) + " characters)";
    return "'" + s + "'";
}

// Any whole number from 1 up; one beyond what the grid can hold is held at its largest,
// and the display list fits the grid to the screen.
void read_grid(char const* arg, CommandLine& cl) {
    errno = 0;
    char* end = nullptr;
    long n = std::strtol(arg, &end, 0);
    bool const too_large = errno == ERANGE && n == LONG_MAX;
    if ((errno != 0 && !too_large) || end == arg || *end != '\0' || n < 1) {
        warn(cl, "grid size " + quoted(arg) + " is not a whole number of at least 1; using " + std::to_string(cl.grid));
        return;
    }
    cl.grid = static_cast<unsigned long>(n) > UINT_MAX ? UINT_MAX : static_cast<unsigned>(n);
}

}  // namespace

CommandLine parse_command_line(int argc, char** argv) {
    CommandLine cl;
    optind = 0;  // a full restart of getopt's scan, so the parser can run more than once
    int c;
    while ((c = getopt(argc, argv, "+wfdhRr:pAPmG:")) != -1) {
        switch (c) {
            case 'w': cl.window = true; break;
            case 'f': cl.fullscreen = true; break;
            case 'd': cl.hw_surface = true; break;
            case 'h': cl.double_buf = true; break;
            case 'R': cl.redraw_view = true; break;
            case 'r': read_grid(optarg, cl); break;
            case 'p': break;
            case 'A': cl.no_sound = true; break;
            case 'P': cl.no_parachute = true; break;
            case 'm': cl.perf = true; break;
            case 'G':
                // Read and never used; a value that is not WxHxD is said to be ignored.
                if (std::sscanf(optarg, "%dx%dx%d", &cl.geometry_w, &cl.geometry_h, &cl.geometry_d) != 3)
                    warn(cl, "geometry " + quoted(optarg) + " is not WxHxD; ignored");
                break;
            default: break;
        }
    }
    return cl;
}
