#pragma once
// The resources of the debugger's tools: the edit, search, options and
// about dialogs and the viewers' menu. Positions are in dialog units.

#include "platform/dialog_template.h"

// Identifiers of the controls the procedures reach.
enum ToolControl {
  IDC_EDIT_ADDRESS = 311,
  IDC_EDIT_VALUE = 313,
  IDC_SEARCH_TEXT = 316,
  IDC_SEARCH_LABEL = 317,
  IDC_OPTIONS_TABS = 401,
};

// Viewer menu commands.
enum ViewerCommand { IDM_VIEW_REFRESH = 325, IDM_VIEW_EXIT = 326 };

extern const DialogTemplate EditMemoryDialog;  // 310, for CPU memory, PPU memory and the stack
extern const DialogTemplate SearchDialog;      // 315, for Search ROM and Goto Address
extern const DialogTemplate AboutDialog;       // 300
extern const DialogTemplate OptionsDialog;     // 400
// 106: Refresh and Exit stand on the menu bar itself.
extern const std::vector<MenuItemTemplate> ViewerMenu;
