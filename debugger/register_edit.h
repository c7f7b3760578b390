#pragma once
// Registers typed into the debugger's fields: Enter in A, X, Y, SP, PC or
// the flags field gives the CPU the new value while the machine is idle.
// A malformed value, or one typed while a thread runs the machine, is
// refused with a message and the field shows the register again.

#include "platform/window.h"

// Enter in the register field id (IDC_A ... IDC_FLAGS).
void Debug_EditRegister(WindowHandle hdWnd, int id);
