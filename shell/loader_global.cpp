#include "loader_global.h"

Loader loader("");
