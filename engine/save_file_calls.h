#pragma once

#include <cstddef>
#include <sys/types.h>

// The system calls through which the atomic save helper links, renames, syncs, closes, locks
// and draws the random part of its temporaries' names, for tests to fail or to watch between
// its steps. Not for the product's own code: they are the real calls unless a test sets them.

namespace E2 {
namespace io {

struct SaveCalls {
    int (*link)(char const* from, char const* to);
    // renameat2 with both paths taken from the working folder: 0 for a plain rename, or
    // RENAME_NOREPLACE, RENAME_EXCHANGE.
    int (*rename)(char const* from, char const* to, unsigned flags);
    // The sync of each file it writes (the new file, then a copy kept aside) and then of the
    // folder the new file was renamed into.
    int (*fsync)(int fd);
    // The close of a copy kept aside.
    int (*close)(int fd);
    // flock(2): a temporary's lock while its save lasts, and the clean-up's try at it.
    int (*flock)(int fd, int operation);
    // getrandom(2): the random bits of a temporary's name.
    ssize_t (*getrandom)(void* buf, std::size_t size, unsigned flags);
};

// The calls in use; a test sets them and puts back `real_save_calls()` when it ends.
SaveCalls& save_calls();
SaveCalls real_save_calls();

}  // namespace io
}  // namespace E2
