#include "debugger/debug_dialog_template.h"

#include "debugger/history_commands.h"

PopupTemplate BuildDebugMenu() {
  PopupTemplate debug{"De&bug", {}};
  std::vector<MenuItemTemplate>& items = debug.items;
  items.push_back({IDM_BREAKPOINTS, "&Breakpoints..."});
  items.push_back({IDM_ADD_TO_BREAKPOINTS, "Add &Line to Breakpoints"});
  items.push_back({0, nullptr});
  items.push_back({IDC_RUNTO, "&Run to", "F5"});
  items.push_back({IDM_BREAK, "Brea&k", "Shift+F5"});
  items.push_back({IDC_STEP, "&Step", "F11"});
  items.push_back({IDM_STEP_OVER, "Step &Over", "F10"});
  items.push_back({IDM_STEP_OUT, "Step O&ut", "Shift+F11"});
  items.push_back({IDM_RUN_FRAME, "Run One &Frame"});
  items.push_back({IDM_RUN_SCANLINE, "Run One S&canline"});
  items.push_back({0, nullptr});
  items.push_back({IDM_STEP_BACK, "S&tep Back", kStepBackKeys});
  items.push_back({IDM_RUN_BACK, "Run b&ack"});
  return debug;
}

const MenuTemplate IDM_DEBUG = {
    {"&File",
     {{IDC_LOADROM, "&Load ROM"},
      {IDC_RESET, "&Reset"},
      {IDC_EMULATE, "&Emulate"},
      {0, nullptr},
      {IDM_SAVE_STATE, "Sa&ve State..."},
      {IDM_LOAD_STATE, "Loa&d State..."},
      {0, nullptr},
      {IDC_EXIT, "E&xit Taviro"}}},
    {"&Edit",
     {{IDM_EDIT_CPUMEM, "&CPU Memory"},
      {IDM_EDIT_PPUMEM, "&PPU Memory"},
      {IDM_EDIT_STACK, "S&tack"},
      {0, nullptr},
      {IDM_GOTO_ADDRESS, "&Goto Address", "Ctrl+G"},
      {IDM_BREAK_AT_LABEL, "&Breakpoint at Label..."},
      {IDM_SEARCH_ROM, "&Search ROM", "Ctrl+F"},
      {IDM_FIND_AGAIN, "&Find Again", "F3"},
      {0, nullptr},
      {IDM_OPTIONS, "&Options..."}}},
    {"&View",
     {{IDM_VIEW_CPUMEM, "&CPU Memory"},
      {IDM_VIEW_PPUMEM, "&PPU Memory"},
      {IDM_VIEW_STACK, "&Stack"},
      {IDM_VIEW_SPRITEMEM, "S&prite Memory"},
      {IDM_VIEW_SOURCE, "S&ource"},
      {0, nullptr},
      {IDM_VIEW_SCREENSHOT, "&View Screen Shot"},
      {IDM_VIEW_PATTERN, "View Pattern &Tables/Palettes"}}},
    BuildDebugMenu(),
    {"&Dump",
     {{IDM_DUMP_ROM, "Dump &ROM"},
      {IDM_DUMP_CPUMEM, "Dump &CPU Memory"},
      {IDM_DUMP_PPUMEM, "Dump &PPU Memory"},
      {IDM_DUMP_STACK, "Dump &Stack"}}},
    {"&Help", {{IDM_ABOUT, "&About"}}},
};

namespace {

using K = ControlKind;

// A register label stands just left of its field; the label names the field
// for assistive technology.
constexpr int kRegisterLabelX = 190;
constexpr int kRegisterLabelWidth = 13;

}  // namespace

// The whole dialog is in the fixed-pitch font: the listing's columns and the
// "Scanline  =" family of labels line up only in it.
const DialogTemplate DebugDialog{
    200,
    "Taviro",
    363,
    262,
    DialogCentred | DialogMinimizeBox | DialogFixedPitch,
    {
        {IDC_EXIT, K::PushButton, "E&xit", StyleNone, 20, 192, 35, 15},
        {IDC_LISTING, K::ListBox, nullptr,
         StyleVScroll | StyleNotify | StyleFixedPitch | StyleMarks, 20, 24, 160, 164},
        {IDC_CODE_LABEL, K::Label, "Code:", StyleNone, 20, 13, 84, 9, IDC_LISTING},
        {IDC_LOADROM, K::PushButton, "&Load Rom", StyleNone, 59, 192, 35, 15},
        {IDC_STEP, K::PushButton, "&Step", StyleNone, 98, 192, 35, 15},
        {IDC_RUNTO, K::PushButton, "&Run to", StyleNone, 137, 192, 35, 15},
        {IDC_EMULATE, K::PushButton, "&Emulate", StyleNone, 20, 209, 35, 15},
        {IDC_RESET, K::PushButton, "Rese&t", StyleNone, 59, 209, 35, 15},
        {IDC_ADD_BREAKPOINT, K::PushButton, "&Add Breakpoint", StyleNone, 98, 209, 74, 15},

        {IDC_REGISTERS_GROUP, K::GroupBox, "Registers", StyleNone, 188, 24, 72, 132},
        {IDC_A_LABEL, K::Label, "A=", StyleNone, kRegisterLabelX, 39, kRegisterLabelWidth, 9,
         IDC_A},
        {IDC_A, K::EditField, "0x00", StyleNotify, 204, 36, 27, 14},
        {IDC_X_LABEL, K::Label, "X=", StyleNone, kRegisterLabelX, 55, kRegisterLabelWidth, 9,
         IDC_X},
        {IDC_X, K::EditField, "0x00", StyleNotify, 204, 52, 27, 14},
        {IDC_Y_LABEL, K::Label, "Y=", StyleNone, kRegisterLabelX, 71, kRegisterLabelWidth, 9,
         IDC_Y},
        {IDC_Y, K::EditField, "0x00", StyleNotify, 204, 68, 27, 14},
        {IDC_SP_LABEL, K::Label, "SP=", StyleNone, kRegisterLabelX, 87, kRegisterLabelWidth, 9,
         IDC_SP},
        {IDC_SP, K::EditField, "0x00", StyleNotify, 204, 84, 27, 14},
        {IDC_PC_LABEL, K::Label, "PC=", StyleNone, kRegisterLabelX, 103, kRegisterLabelWidth, 9,
         IDC_PC},
        {IDC_PC, K::EditField, "0x0000", StyleNotify, 204, 100, 27, 14},
        {IDC_FLAGS_LABEL, K::Label, "SV BDIZC", StyleNone, 208, 124, 32, 9, IDC_FLAGS},
        {IDC_FLAGS, K::EditField, "00000000", StyleNotify, 206, 136, 36, 14},

        {IDC_MISC_GROUP, K::GroupBox, "Misc", StyleNone, 273, 24, 79, 132},
        {IDC_CYCLES_LABEL, K::Label, "HBlank Cycles", StyleCentred, 277, 39, 71, 9, IDC_CYCLES},
        {IDC_CYCLES, K::ReadOnlyField, "0", StyleNone, 292, 48, 42, 13},
        {IDC_VBLANK, K::CheckBox, "VBlank Flag", StyleTextLeft, 276, 63, 68, 9},
        {IDC_SPRITE0, K::CheckBox, "Sprite #0 Hit", StyleTextLeft, 276, 72, 68, 9},
        {IDC_MIRRORING, K::Label, "Mirroring = ", StyleNone, 276, 85, 68, 9},
        {IDC_NMI_VECTOR, K::Label, "NMI Vect. =", StyleNone, 276, 93, 68, 10},
        {IDC_SCANLINE, K::Label, "Scanline  =", StyleNone, 276, 107, 68, 8},
        {IDC_VRAM_ADDRESS, K::Label, "VRAM Add. =", StyleNone, 276, 115, 68, 8},
        {IDC_HSCROLL, K::Label, "HScroll   =", StyleNone, 276, 123, 68, 8},
        {IDC_VSCROLL, K::Label, "VScroll   =", StyleNone, 276, 131, 68, 8},

        {IDC_JOYSTICKS_GROUP, K::GroupBox, "Joysticks", StyleNone, 188, 164, 164, 84},
        {IDC_JOYSTICK1, K::RadioButton, "Joystick1", StyleNone, 205, 175, 48, 9},
        {IDC_JOYSTICK2, K::RadioButton, "Joystick2", StyleNone, 281, 175, 48, 9},
        {IDC_JOY_UP, K::CheckBox, "Up", StylePushLike, 216, 194, 22, 12},
        {IDC_JOY_DOWN, K::CheckBox, "Down", StylePushLike, 216, 226, 22, 12},
        {IDC_JOY_LEFT, K::CheckBox, "Left", StylePushLike, 194, 210, 22, 12},
        {IDC_JOY_RIGHT, K::CheckBox, "Right", StylePushLike, 238, 210, 22, 12},
        {IDC_JOY_SELECT, K::CheckBox, "Select", StylePushLike, 268, 202, 28, 12},
        {IDC_JOY_START, K::CheckBox, "Start", StylePushLike, 300, 202, 28, 12},
        {IDC_JOY_B, K::CheckBox, "B", StylePushLike, 268, 220, 28, 12},
        {IDC_JOY_A, K::CheckBox, "A", StylePushLike, 300, 220, 28, 12},

        {IDC_STATUS, K::Label, "", StyleSunken, 3, 251, 357, 10},
    },
    &IDM_DEBUG};
