#pragma once
// Dialog 200, the debugger's main window, and its menu IDM_DEBUG, kept as
// data like a resource file.

#include "platform/dialog_template.h"

// Command and control identifiers of the debugger dialog. Menu items and
// buttons with the same effect share an identifier.
enum DebugId : int {
  IDC_EXIT = 1,
  IDM_ABOUT = 117,
  IDC_LISTING = 201,
  IDC_CODE_LABEL = 202,
  IDC_LOADROM = 203,
  IDC_STEP = 204,
  IDC_RUNTO = 205,
  IDM_VIEW_CPUMEM = 207,
  IDM_VIEW_PPUMEM = 208,
  IDM_VIEW_STACK = 209,
  IDM_DUMP_ROM = 210,
  IDM_DUMP_CPUMEM = 211,
  IDM_DUMP_PPUMEM = 212,
  IDM_DUMP_STACK = 213,
  IDM_EDIT_CPUMEM = 214,
  IDM_EDIT_PPUMEM = 215,
  IDM_EDIT_STACK = 216,
  IDM_SEARCH_ROM = 217,
  IDM_FIND_AGAIN = 218,
  IDM_VIEW_PATTERN = 219,
  IDM_VIEW_SCREENSHOT = 220,
  IDC_EMULATE = 221,
  IDM_VIEW_SPRITEMEM = 222,
  IDC_RESET = 223,
  IDC_ADD_BREAKPOINT = 224,
  IDM_OPTIONS = 225,
  IDM_GOTO_ADDRESS = 226,
  IDM_BREAK_AT_LABEL = 227,
  IDM_VIEW_SOURCE = 228,
  IDM_BREAKPOINTS = 229,
  IDM_ADD_TO_BREAKPOINTS = 230,
  IDM_BREAK = 231,
  IDM_STEP_OVER = 232,
  IDM_STEP_OUT = 233,
  IDM_RUN_FRAME = 234,
  IDM_RUN_SCANLINE = 235,
  IDC_REGISTERS_GROUP = 250,
  IDC_A_LABEL = 251,
  IDC_A = 252,
  IDC_X_LABEL = 253,
  IDC_X = 254,
  IDC_Y_LABEL = 255,
  IDC_Y = 256,
  IDC_SP_LABEL = 257,
  IDC_SP = 258,
  IDC_PC_LABEL = 259,
  IDC_PC = 260,
  IDC_FLAGS_LABEL = 261,
  IDC_FLAGS = 262,
  IDC_STATUS = 263,
  IDC_MISC_GROUP = 264,
  IDC_CYCLES_LABEL = 265,
  IDC_CYCLES = 266,
  IDC_NMI_VECTOR = 267,
  IDC_MIRRORING = 268,
  IDC_SCANLINE = 269,
  IDC_VBLANK = 270,
  IDC_SPRITE0 = 271,
  IDC_HSCROLL = 272,
  IDC_VSCROLL = 273,
  IDC_VRAM_ADDRESS = 274,
  IDC_JOYSTICKS_GROUP = 350,
  IDC_JOYSTICK1 = 351,
  IDC_JOYSTICK2 = 352,
  IDC_JOY_UP = 353,
  IDC_JOY_DOWN = 354,
  IDC_JOY_LEFT = 355,
  IDC_JOY_RIGHT = 356,
  IDC_JOY_SELECT = 357,
  IDC_JOY_START = 358,
  IDC_JOY_B = 359,
  IDC_JOY_A = 360,
};

// The Debug pop-up: the breakpoint list and the commands that run the
// machine a step or a stretch at a time, each item one line of it.
PopupTemplate BuildDebugMenu();

extern const MenuTemplate IDM_DEBUG;
extern const DialogTemplate DebugDialog;
