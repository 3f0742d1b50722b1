#include "util.h"

#include <cctype>
#include <cstring>
#include <iomanip>
#include <sstream>

namespace E2 {

std::ostream& operator<<(std::ostream& out, util::MS_TO_HMS const& t) {
    unsigned h = t.ms / 3600000u;
    unsigned m = (t.ms % 3600000u) / 60000u;
    unsigned s = (t.ms % 60000u) / 1000u;
    std::ios_base::fmtflags flags = out.flags();
    char fill = out.fill('0');
    out << std::dec << std::right << std::setw(2) << h << ':' << std::setw(2) << m << ':' << std::setw(2) << s;
    out.fill(fill);
    out.flags(flags);
    return out;
}

namespace util {

MS_TO_HMS::operator std::string() const {
    std::ostringstream out;
    out << *this;
    return out.str();
}

char* dupc_str(std::string const& s) {
    char* p = new char[s.size() + 1];
    std::memcpy(p, s.data(), s.size());
    p[s.size()] = '\0';
    return p;
}

bool starts_with(std::string const& s, std::string const& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool ends_with(std::string const& s, std::string const& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool eq_nocase(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) ==
           std::toupper(static_cast<unsigned char>(b));
}

bool eq_nocase(std::string const& a, std::string const& b) {
    if (a.size() != b.size()) return false;
    for (std::string::size_type i = 0; i < a.size(); ++i)
        if (!eq_nocase(a[i], b[i])) return false;
    return true;
}

std::vector<std::string> mkvec(std::string const& a) { return {a}; }

std::vector<std::string> mkvec(std::string const& a, std::string const& b) { return {a, b}; }

std::vector<std::string> mkvec(std::string const& a, std::string const& b, std::string const& c) {
    return {a, b, c};
}

std::vector<std::string> mkvec(std::string const& a, std::string const& b, std::string const& c,
                               std::string const& d) {
    return {a, b, c, d};
}

}  // namespace util
}  // namespace E2
