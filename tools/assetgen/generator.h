#pragma once
// Makes the selected members on a pool of threads and writes them out.

#include "contact_sheet.h"
#include "members.h"
#include "options.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace assetgen {

class Generator {
public:
    explicit Generator(const Options& options);

    // Returns the process exit status: 0 when every member was made and written.
    int run();

private:
    struct Timing {
        std::string name;
        double seconds;
    };

    void make(const Member& m);
    std::vector<uint8_t> make_image(const Member& m);
    void write_member(const Member& m, const std::vector<uint8_t>& bytes);
    void fail(const std::string& message);
    void warn(const std::string& message);
    void report(const std::vector<const Member*>& jobs, double seconds);

    const Options& options_;
    ContactSheets sheets_;
    std::mutex mutex_;  // guards the three below
    std::vector<std::string> errors_;
    std::vector<std::string> warnings_;
    std::vector<Timing> timings_;
};

}  // namespace assetgen
