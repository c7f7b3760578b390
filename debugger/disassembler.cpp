#include "debugger/disassembler.h"
