#pragma once
// Dialogs, windows and menus described as data, like a resource file: the
// debugger keeps its templates in debugger/, the platform layer builds the
// widgets from them. Positions and sizes are in dialog units; the layer
// converts them with the dialog font's average character size.

#include <vector>

// What a control is. Kinds follow the classic dialog controls.
enum class ControlKind {
  PushButton,
  DefaultPushButton,  // the button Enter presses
  Label,
  GroupBox,
  ReadOnlyField,  // an edit field the user cannot change
  EditField,
  ListBox,
  CheckBox,
  RadioButton,  // radio buttons of one group box are mutually exclusive
  TabControl,
};

// Style bits of a control; combine with |.
enum ControlStyle : unsigned {
  StyleNone = 0,
  StyleCentred = 1u << 0,     // label text centred
  StyleTextLeft = 1u << 1,    // check box with its text on the left
  StylePushLike = 1u << 2,    // check box drawn as a toggle button
  StyleSunken = 1u << 3,      // sunken frame (a status line)
  StyleVScroll = 1u << 4,     // list box with a vertical scroll bar
  StyleNotify = 1u << 5,      // list box reports double clicks (code 2)
  StyleFixedPitch = 1u << 6,  // the fixed-pitch font (the listing)
  StyleHScroll = 1u << 7,     // list box that scrolls sideways to lines longer than it is wide
  StyleMarks = 1u << 8,       // list box with a margin for line marks (list_marks.h)
};
// StyleNotify on an edit field: Enter in it sends its id with code EN_RETURN.
// On a list box it also reports its lines' check boxes (LBN_CHECKCHANGE).

struct ControlTemplate {
  int id;  // -1 for a control nobody reaches (a static label)
  ControlKind kind;
  const char* text;  // '&' marks the mnemonic letter
  unsigned style;
  int x, y, cx, cy;  // dialog units
  int buddy = 0;     // a label: the id of the field it names for assistive technology
};

// One item of a pop-up menu; id 0 is a separator. A shortcut ("F5",
// "Shift+F11", "Ctrl+G") works while the window is active and is shown
// beside the item.
struct MenuItemTemplate {
  int id;
  const char* text;
  const char* shortcut = nullptr;
};

struct PopupTemplate {
  const char* title;
  std::vector<MenuItemTemplate> items;
};

using MenuTemplate = std::vector<PopupTemplate>;

// Style bits of a dialog.
enum DialogStyle : unsigned {
  DialogNone = 0,
  DialogCentred = 1u << 0,      // centred on the screen
  DialogMinimizeBox = 1u << 1,  // fixed size, with a minimise box
  DialogFixedPitch = 1u << 2,   // the whole dialog in the fixed-pitch font (10 pt)
};

struct DialogTemplate {
  int id;
  const char* title;
  int cx, cy;  // dialog units
  unsigned style;
  std::vector<ControlTemplate> controls;
  const MenuTemplate* menu = nullptr;
};
