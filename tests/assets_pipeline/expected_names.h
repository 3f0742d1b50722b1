#pragma once
// The archive's member names as the program expects them, independent of the
// generator's own table.

#include <string>
#include <vector>

// All expected index names, folder by folder. Inconsistencies in the lists
// themselves (a count that does not match, a range that does not expand) are
// appended to `problems`.
std::vector<std::string> expected_names(std::vector<std::string>* problems);
