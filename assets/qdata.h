#pragma once
// Members of the data archive "data/q.dat", looked up in the built-in index.

#include <SDL/SDL.h>

#include <cstddef>
#include <string>

#include "qdata_index.h"

// A read stream over a fresh copy of the member's bytes, or null when the name is in neither
// its dotted nor its undotted form in the index, the archive cannot be opened or read, or the
// last check found the member damaged and a loose file standing in for it. Closing the stream
// frees the copy; a member shorter on disk than its index size yields only the bytes that
// were read.
SDL_RWops* qdata_find(std::string const& name);

// What keeps the archive from serving the program, told for the player, or empty when its
// header is the packed one and every member either holds its packed bytes (its checksum
// matches its index row) or, for an image, has a loose file at its dotted name. Reads the whole archive; it
// is opened and kept open for the lookups.
std::string qdata_check();

// Test seams: look members up in the given rows (in byte order of their names) and the archive
// at the given path instead of the built-in ones. The rows are copied; an open archive is closed.
void qdata_use(QDataRow const* rows, size_t count, std::string const& archive_path);
// Back to the built-in index and "data/q.dat".
void qdata_use_builtin();
