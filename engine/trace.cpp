#include "trace.h"

#include <cstdarg>
#include <cstdio>

namespace E2 {

void trace(char const* fmt, ...) {
    FILE* f = std::fopen("e2_trace.txt", "a");
    if (!f) return;
    va_list args;
    va_start(args, fmt);
    std::vfprintf(f, fmt, args);
    va_end(args);
    std::fputc('\n', f);
    std::fclose(f);
}

DBG_Trace::DBG_Trace(std::string const& name) : name_(name) { trace("> %s", name_.c_str()); }

DBG_Trace::~DBG_Trace() { trace("< %s", name_.c_str()); }

}  // namespace E2
