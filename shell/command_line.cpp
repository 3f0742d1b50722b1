#include "command_line.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

void warn(CommandLine& cl, std::string const& text) {
    if (!cl.warning.empty()) cl.warning += "\n";
    cl.warning += text;
}

char const options[] = "+:wfdhRr:pAPmG:";
char const option_list[] = "-w -f -d -h -R -r N -p -A -P -m -G WxHxD";

// One line for the unknown letters of one argument.
std::string unknown_letters(char const* arg, std::string const& letters) {
    if (letters.size() + 1 == std::strlen(arg)) return "unknown option " + quoted(arg) + " ignored";
    return "unknown option letters " + quoted(letters.c_str()) + " in " + quoted(arg) + " ignored";
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

std::string quoted(char const* arg) {
    std::string s(arg);
    if (s.size() > max_quoted_chars) s = s.substr(0, max_quoted_chars) + "... (" + std::to_string(s.size()) + " characters)";
    // Control characters would reach the terminal as they are.
    for (char& ch : s)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = '?';
    return "'" + s + "'";
}

CommandLine parse_command_line(int argc, char** argv) {
    CommandLine cl;
    // A full restart of getopt's scan, so the parser can run more than once. It happens in
    // a call: one that sees no argument past argv[0] restarts and ends, before a skipped
    // long option below moves optind.
    optind = 0;
    opterr = 0;  // unknown options are answered here, one line for each argument
    getopt(1, argv, options);
    int arg = -1;         // the argument whose letters getopt reads
    std::string unknown;  // its unknown letters
    for (;;) {
        // Between two calls optind is the argument that the next letter comes from.
        int const at = optind > 0 ? optind : 1;
        if (at != arg) {
            if (!unknown.empty()) warn(cl, unknown_letters(argv[arg], unknown));
            unknown.clear();
            arg = at;
            // A long option is one unknown argument, not a run of letters.
            if (at < argc && std::strncmp(argv[at], "--", 2) == 0 && argv[at][2] != '\0') {
                warn(cl, "unknown option " + quoted(argv[at]) + " ignored; the options are " + option_list);
                optind = at + 1;
                continue;
            }
        }
        int const c = getopt(argc, argv, options);
        if (c == -1) break;
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
            case ':': warn(cl, std::string("option -") + static_cast<char>(optopt) + " needs a value; ignored"); break;
            default: unknown += static_cast<char>(optopt); break;
        }
    }
    if (!unknown.empty()) warn(cl, unknown_letters(argv[arg], unknown));
    return cl;
}
