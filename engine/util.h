#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace E2 {
namespace util {

// A duration in milliseconds, written as HH:MM:SS (hours widen past 99).
struct MS_TO_HMS {
    unsigned ms;
    explicit MS_TO_HMS(unsigned ms_) : ms(ms_) {}
    operator std::string() const;
};

// Deletes every value of the map (null values skipped), then clears it.
template <typename K, typename V>
void delete_all_values(std::map<K, V*>& m) {
    for (auto& kv : m) delete kv.second;
    m.clear();
}

// A new[] copy of the string's bytes and a terminating zero; the caller owns it.
char* dupc_str(std::string const& s);

bool starts_with(std::string const& s, std::string const& prefix);
bool ends_with(std::string const& s, std::string const& suffix);
bool eq_nocase(char a, char b);
// Strings of equal length whose characters match after toupper.
bool eq_nocase(std::string const& a, std::string const& b);

std::vector<std::string> mkvec(std::string const& a);
std::vector<std::string> mkvec(std::string const& a, std::string const& b);
std::vector<std::string> mkvec(std::string const& a, std::string const& b, std::string const& c);
std::vector<std::string> mkvec(std::string const& a, std::string const& b, std::string const& c,
                               std::string const& d);

}  // namespace util

// Leaves the stream's flags and fill character as it found them.
std::ostream& operator<<(std::ostream& out, util::MS_TO_HMS const& t);

namespace util {
using E2::operator<<;  // found by argument-dependent lookup from any namespace
}

}  // namespace E2
