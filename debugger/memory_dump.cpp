#include "debugger/memory_dump.h"
