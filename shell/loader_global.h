#pragma once

#include "loader.h"

// The owner of every image of the program.
extern Loader loader;
