#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace E2 {
namespace io {

// Writes the file at `path` through `write` so that a crash or a full
// disk never leaves a damaged or partial file: the bytes go to a
// temporary file in the same folder, named with the pid and random bits
// (never over an existing name) and locked while the save lasts, which is
// flushed, synced and renamed over `path`. False on any failure; the old
// file is then untouched and the temporary is removed. Apart from an
// unreadable record it keeps aside (below), a save never removes or
// renames a file it did not make; temporaries of this file whose lock is
// free (a killed run left them) are removed first. A write past the
// file-size limit fails rather than raising SIGXFSZ. An existing file
// keeps its permission bits (and its owner where the process may set it);
// a new one, and one made over a record that could not be read, gets the
// user's default mode. A symbolic link at `path` stays: the file it leads
// to is replaced (made, where it does not exist) the same way in its own
// folder. A file that is not a plain file, or that exists but may not be
// written, is left as it is: false. A record whose last read found it
// unreadable (see open_record, record_unreadable) is kept aside in its
// folder, as "<name>.unreadable" or, where that is taken, ".unreadable.1"
// and on, never over an earlier one, before the new file takes its path:
// a second link, else a copy with its mode, synced under a temporary name
// first (a copy that fails fails the save); a file that may be neither
// linked nor read is exchanged with the new file in one step (where the
// file system cannot exchange, moved aside just before the new file is
// renamed in). So a record stands at the path throughout, an aside name
// only ever holds a whole record, and stderr is told where the old one
// went.
// Where the file system refuses locks, the save goes on without one, and
// the clean-up removes only temporaries untouched for a day.
// Every failure is told on stderr with the file that could not be written
// and the reason, once per path in a run; one that leaves the record kept
// aside (it could not be put back) is told every time, with where it is.
// A folder that cannot be synced after the rename is told once per path
// (the save still succeeds: the new file may not outlast a power cut).
bool save_file_atomically(std::string const& path, std::function<void(FILE*)> const& write);

// How a record file was found by open_record.
enum class RecordState { missing, opened, unreadable };

// Opens a record file for reading without ever blocking: a FIFO, device or
// folder at `path` is refused at once. A file that exists but cannot be opened,
// or is not a plain file, is unreadable: null, and `path` is marked as in
// record_unreadable. A missing file gives null; an opened one clears the mark.
// Temporaries of this file whose lock is free are removed.
// `kept_until` ends the line that tells of an unreadable record.
FILE* open_record(std::string const& path, RecordState* state = nullptr,
                  std::string const& kept_until = "something is saved in its place");

// Marks `path` as a record that exists but could not be read: it is kept as it
// is until a save moves it aside. The first mark of a path is told on stderr,
// "... it is kept as it is until <kept_until>".
void record_unreadable(std::string const& path, std::string const& why,
                       std::string const& kept_until = "something is saved in its place");

// The bytes `write` puts on a stream, or "" where they cannot be computed: what
// a record would hold, to compare with what it held when it was read.
std::string bytes_of(std::function<void(FILE*)> const& write);

// Whether the last read of `path` found it unreadable.
bool is_record_unreadable(std::string const& path);

}  // namespace io
}  // namespace E2
