#pragma once
// The generated data archive as the tests see it: its bytes and streams over members.

#include "qdata_index.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// The whole archive file, read once; empty when it cannot be read.
const std::vector<uint8_t>& archive_bytes();

// The index row of a name, or null.
const QDataRow* index_row(const std::string& name);

// A read-only stream over one member's bytes inside archive_bytes().
SDL_RWops* member_stream(const QDataRow& row);

// A copy of one member's bytes.
std::vector<uint8_t> member_bytes(const QDataRow& row);
