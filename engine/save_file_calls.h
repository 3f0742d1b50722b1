#pragma once

// The system calls through which the atomic save helper links, renames, syncs and closes,
// for tests to fail or to watch between its steps. Not for the product's own code: they are
// the real calls unless a test sets them.

namespace E2 {
namespace io {

struct SaveCalls {
    int (*link)(char const* from, char const* to);
    // renameat2 with both paths taken from the working folder: 0 for a plain rename, or
    // RENAME_NOREPLACE, RENAME_EXCHANGE.
    int (*rename)(char const* from, char const* to, unsigned flags);
    // The sync of each file it writes: the new file, then a copy kept aside.
    int (*fsync)(int fd);
    // The close of a copy kept aside.
    int (*close)(int fd);
};

// The calls in use; a test sets them and puts back `real_save_calls()` when it ends.
SaveCalls& save_calls();
SaveCalls real_save_calls();

}  // namespace io
}  // namespace E2
