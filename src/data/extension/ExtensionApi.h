#pragma once

// Put before every source of the loadable extension: the engine's calls of the
// text rules then go through the routines of the program that loads it (the
// sqlite3 shell), not through a second copy of the engine.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
