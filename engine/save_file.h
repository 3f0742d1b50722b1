#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace E2 {
namespace io {

// Writes the file at `path` through `write` so that a crash or a full disk
// never leaves a damaged or partial file: the bytes go to a temporary file
// in the same folder, which is flushed, synced and renamed over `path`.
// False on any failure; the old file is then untouched and the temporary
// is removed. A write past the file-size limit fails rather than raising
// SIGXFSZ. Temporaries of this file left by processes that have ended are
// removed first.
bool save_file_atomically(std::string const& path, std::function<void(FILE*)> const& write);

}  // namespace io
}  // namespace E2
