#pragma once

#include <string>

namespace E2 {

// Debug trace: each call appends one line to "e2_trace.txt" in the working folder.
void trace(char const* fmt, ...) __attribute__((format(printf, 1, 2)));

// Traces "> name" when made and "< name" when it goes out of scope.
class DBG_Trace {
public:
    explicit DBG_Trace(std::string const& name);
    ~DBG_Trace();
    DBG_Trace(DBG_Trace const&) = delete;
    DBG_Trace& operator=(DBG_Trace const&) = delete;

private:
    std::string name_;
};

}  // namespace E2
