#include "debugger/debug_window.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "cpu/cpu.h"
#include "cpu/watch.h"
#include "debugger/armed_breakpoints.h"
#include "debugger/breakpoints_window.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/history_commands.h"
#include "debugger/machine_controller.h"
#include "debugger/register_edit.h"
#include "debugger/run_thread.h"
#include "debugger/source_view.h"
#include "debugger/tool_commands.h"
#include "emulation/owner.h"
#include "platform/message_box.h"
#include "platform/ui_thread.h"

WindowHandle hWndMain = nullptr;
int ListBoxPos = 0;
int EndLine = 0;
std::atomic<unsigned short> tPC{0};
std::atomic<int> Run{1};

namespace {

constexpr size_t kBreakpointTextSize = 40;  // tempstr, terminator included

std::string tempstr;  // the breakpoint line's text
std::string barstr;   // "Break at %s"

// The debugger's own commands run the CPU on the UI thread, so only while no
// other thread holds the machine and the run thread has been joined.
bool MachineIdle() {
  return machine::Idle();
}

bool CanRunCpu() {
  return machine::Idle() && machine::Loaded();
}

// UI thread, once the run thread has been joined.
void OnRunEnded() {
  Run = 1;
  if (hWndMain == nullptr) return;
  Debug_ShowBreakpointStop(hWndMain);
  UpdateInfo(hWndMain);
  UpdateJoystickButtons();
  SetDlgItemText(hWndMain, IDC_RUNTO, "&Run to");
  UpdateCommandStates();
}

void OnRunStarted(WindowHandle hdWnd, bool started) {
  if (!started) {
    ShowMessage(hdWnd, "Couldn't Create Thread for Running", "Error", MessageIcon::None);
    return;
  }
  SetDlgItemText(hdWnd, IDC_RUNTO, "&Break");
  Run = 0;
  UpdateCommandStates();
}

void StartRun(WindowHandle hdWnd) {
  if (!CanRunCpu()) return;
  const std::optional<std::string> line = ListBoxGetText(hdWnd, IDC_LISTING, EndLine);
  if (!line) {
    ShowMessage(hdWnd, "Couldn't get text", "Error", MessageIcon::None);
    return;
  }
  // The breakpoint is a line position: its address is whatever that line
  // shows now, in its first four characters.
  tPC = static_cast<unsigned short>(std::strtoul(line->substr(0, 4).c_str(), nullptr, 16));
  const bool started = machine::StartRunTo(tPC, OnRunEnded);
  OnRunStarted(hdWnd, started);
}

// Step Over, Step Out, a frame, a scanline: on the run thread as Run to,
// and stopped by Break the same way.
void StartStepping(WindowHandle hdWnd, RunGoal (*makeGoal)()) {
  if (!CanRunCpu()) return;
  OnRunStarted(hdWnd, machine::StartRun(makeGoal, OnRunEnded));
}

void SetBreakpointLine(WindowHandle hdWnd, int line) {
  const std::optional<std::string> text = ListBoxGetText(hdWnd, IDC_LISTING, line);
  if (!text) {
    ShowMessage(hdWnd, "Couldn't get text", "Error", MessageIcon::None);
    return;
  }
  EndLine = line;
  tempstr = text->substr(0, kBreakpointTextSize - 1);
  barstr = "Break at " + tempstr;
  SetDlgItemText(hdWnd, IDC_STATUS, barstr);
}

void Reset(WindowHandle hdWnd) {
  if (!machine::Reset()) return;
  UpdateInfo(hdWnd);
}

void Step(WindowHandle hdWnd) {
  if (!CanRunCpu()) return;
  Debug_Step(hdWnd);
  UpdateInfo(hdWnd);
  UpdateJoystickButtons();
}

// The commands of the other windows; those that run or change the machine
// are refused while it is busy, as their disabled controls say.
void ToolCommand(WindowHandle hdWnd, int id) {
  switch (id) {
    case IDM_ABOUT:
      Debug_About(hdWnd);
      break;
    case IDM_VIEW_CPUMEM:
    case IDM_VIEW_PPUMEM:
    case IDM_VIEW_STACK:
    case IDM_VIEW_SPRITEMEM:
      Debug_ViewMemory(hdWnd, id);
      break;
    case IDM_DUMP_ROM:
      Debug_DumpROM(hdWnd);
      break;
    case IDM_DUMP_CPUMEM:
      Debug_DumpCPUMem(hdWnd);
      break;
    case IDM_DUMP_PPUMEM:
      Debug_DumpPPUMem(hdWnd);
      break;
    case IDM_DUMP_STACK:
      Debug_DumpStack(hdWnd);
      break;
    case IDM_EDIT_CPUMEM:
    case IDM_EDIT_PPUMEM:
    case IDM_EDIT_STACK:
      if (MachineIdle()) Debug_EditMemory(hdWnd, id);
      break;
    case IDM_SEARCH_ROM:
      Debug_SearchROM(hdWnd);
      break;
    case IDM_FIND_AGAIN:
      Edit_FindAgain(hdWnd);
      break;
    case IDM_VIEW_PATTERN:
      if (MachineIdle()) Debug_ViewPatternTables(hdWnd);
      break;
    case IDM_VIEW_SCREENSHOT:
      if (CanRunCpu()) Debug_ViewScreenShot(hdWnd);
      break;
    case IDC_EMULATE:
      if (CanRunCpu()) Debug_Emulate(hdWnd);
      break;
    case IDM_OPTIONS:
      Debug_Options(hdWnd);
      break;
    case IDM_GOTO_ADDRESS:
      if (CanRunCpu()) Debug_GotoAddress(hdWnd);
      break;
    case IDM_BREAK_AT_LABEL:
      if (CanRunCpu()) Debug_BreakAtLabel(hdWnd);
      break;
    case IDM_VIEW_SOURCE:
      Debug_ViewSource(hdWnd);
      break;
    case IDM_STEP_BACK:
      Debug_StepBack(hdWnd);
      break;
    case IDM_RUN_BACK:
      Debug_RunBack(hdWnd);
      break;
    case IDM_SAVE_STATE:
      Debug_SaveState(hdWnd);
      break;
    case IDM_LOAD_STATE:
      Debug_LoadState(hdWnd);
      break;
    case IDM_BREAKPOINTS:
      Debug_Breakpoints(hdWnd);
      break;
    case IDM_ADD_TO_BREAKPOINTS:
      Debug_AddLineToBreakpoints(hdWnd);
      break;
    default:
      break;
  }
}

}  // namespace

DialogProcedures Debug_DlgProc(const std::string& imageAtStart, const std::string& symbolsAtStart) {
  DialogProcedures procedures;
  procedures.onInit = [imageAtStart, symbolsAtStart](WindowHandle hdWnd) {
    Debug_OnInit(hdWnd);
    // After the dialog is up, so that a load message has its owner on screen.
    if (!imageAtStart.empty())
      PostToUiThread([imageAtStart, symbolsAtStart] {
        if (hWndMain != nullptr) Debug_LoadImage(hWndMain, imageAtStart, symbolsAtStart);
      });
  };
  procedures.onCommand = Debug_OnCommand;
  procedures.onClose = Debug_OnClose;
  return procedures;
}

void Debug_OnInit(WindowHandle hdWnd) {
  ListBoxAddString(hdWnd, IDC_LISTING, "[No ROM image loaded]");
  SetWindowIcons(hdWnd, 101);
  CheckRadioButton(hdWnd, IDC_JOYSTICK1, IDC_JOYSTICK2, IDC_JOYSTICK1);
  hWndMain = hdWnd;
  Machine.SetListener([] { PostToUiThread(UpdateCommandStates); });
  UpdateCommandStates();
}

void Debug_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int codeNotify) {
  switch (id) {
    case IDC_EXIT:
      SendCloseRequest(hdWnd);
      break;
    case IDC_LISTING:
      if (codeNotify == LBN_DBLCLK)
        Debug_SetBreakpoint(hdWnd);
      else
        RefreshSourceView();  // the selection moved
      break;
    case IDC_LOADROM:
      if (MachineIdle()) Debug_LoadROM(hdWnd);
      break;
    case IDC_STEP:
      Step(hdWnd);
      break;
    case IDC_RUNTO:
      Debug_Run(hdWnd);
      break;
    case IDC_RESET:
      Reset(hdWnd);
      break;
    case IDC_ADD_BREAKPOINT:
      Debug_SetBreakpoint(hdWnd);
      break;
    case IDM_BREAK:
      machine::Break();
      break;
    case IDC_A:
    case IDC_X:
    case IDC_Y:
    case IDC_SP:
    case IDC_PC:
    case IDC_FLAGS:
      if (codeNotify == EN_RETURN) Debug_EditRegister(hdWnd, id);
      break;
    case IDM_STEP_OVER:
      StartStepping(hdWnd, GoalStepOver);
      break;
    case IDM_STEP_OUT:
      StartStepping(hdWnd, GoalStepOut);
      break;
    case IDM_RUN_FRAME:
      StartStepping(hdWnd, GoalRunOneFrame);
      break;
    case IDM_RUN_SCANLINE:
      StartStepping(hdWnd, GoalRunOneScanline);
      break;
    case IDC_JOY_UP:
    case IDC_JOY_DOWN:
    case IDC_JOY_LEFT:
    case IDC_JOY_RIGHT:
    case IDC_JOY_SELECT:
    case IDC_JOY_START:
    case IDC_JOY_B:
    case IDC_JOY_A:
      // The buttons are atomics: pressing one while another thread runs the
      // CPU is as safe as the game window's keys.
      Debug_JoypadButton(hdWnd, id);
      break;
    default:
      ToolCommand(hdWnd, id);
      break;  // IDCANCEL, 270, 271, 351, 352: nothing
  }
}

// Every thread that runs the CPU or draws ends before the dialog does, so
// that the board plug-in, unloaded after it, is called by nobody.
void Debug_OnClose(WindowHandle hdWnd) {
  machine::ShutDown(
      [] {
        ClosePictureViews();
        CloseSourceView();
        CloseBreakpointsWindow();
      },
      [hdWnd] {
        Machine.SetListener({});
        hWndMain = nullptr;
        EndDialog(hdWnd, 0);
      });
}

void Debug_Step(WindowHandle) {
  machine::Step();
}

// Run to starts the run thread; Break asks it to stop at the next
// instruction boundary. The button comes back when the thread has ended.
void Debug_Run(WindowHandle hdWnd) {
  if (Run == 1)
    StartRun(hdWnd);
  else
    machine::Break();
}

void Debug_SetBreakpoint(WindowHandle hdWnd) {
  SetBreakpointLine(hdWnd, ListBoxGetCurSel(hdWnd, IDC_LISTING));
}

void Debug_SetBreakpointAt(WindowHandle hdWnd, unsigned short address) {
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%04X:", address);
  int line = ListBoxFindString(hdWnd, IDC_LISTING, -1, prefix);
  if (line < 0) {
    if (!machine::Loaded()) return;
    const bool listed = machine::Borrow([address] {
      const unsigned short pc = CPU.PC;
      CPU.PC = address;
      DisassembleROM();
      CPU.PC = pc;
    });
    if (!listed) return;
    line = 0;
  }
  SetBreakpointLine(hdWnd, line);
}

void UpdateCommandStates() {
  if (hWndMain == nullptr) return;
  const bool idle = MachineIdle();
  const bool runnable = idle && machine::Loaded();
  for (int id : {IDC_STEP, IDC_RESET, IDC_EMULATE, IDM_GOTO_ADDRESS, IDM_BREAK_AT_LABEL,
                 IDM_VIEW_SCREENSHOT, IDM_STEP_OVER, IDM_STEP_OUT, IDM_RUN_FRAME, IDM_RUN_SCANLINE})
    EnableCommand(hWndMain, id, runnable);
  for (int id : {IDC_LOADROM, IDM_EDIT_CPUMEM, IDM_EDIT_PPUMEM, IDM_EDIT_STACK, IDM_VIEW_PATTERN})
    EnableCommand(hWndMain, id, idle);
  UpdateHistoryCommandStates(hWndMain, idle);
  // Break must stay reachable while the run thread runs.
  EnableCommand(hWndMain, IDC_RUNTO, runnable || machine::RunToActive());
  EnableCommand(hWndMain, IDM_BREAK, machine::RunToActive());
}

void Debug_ShowBreakpointStop(WindowHandle hdWnd) {
  if (!cpu::watch::Stopped()) return;
  SetDlgItemText(hdWnd, IDC_STATUS, DescribeStop(cpu::watch::TakeStop()));
  RefreshBreakpointsWindow();  // the hit counts have grown
}
