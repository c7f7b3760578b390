#include "debugger/tool_templates.h"

// The fields come before the buttons so that the focus starts in the first
// field, where the user types; each label names its field.
const DialogTemplate EditMemoryDialog{
    310,
    "Edit Memory Location",
    206,
    55,
    DialogCentred,
    {
        {312, ControlKind::Label, "Enter Memory Location: (hex)", StyleNone, 8, 13, 92, 9,
         IDC_EDIT_ADDRESS},
        {IDC_EDIT_ADDRESS, ControlKind::EditField, "", StyleNone, 103, 11, 23, 13},
        {314, ControlKind::Label, "Enter Value: (hex)", StyleNone, 8, 35, 64, 9, IDC_EDIT_VALUE},
        {IDC_EDIT_VALUE, ControlKind::EditField, "", StyleNone, 103, 34, 23, 13},
        {1, ControlKind::DefaultPushButton, "OK", StyleNone, 144, 6, 50, 14},
        {2, ControlKind::PushButton, "Cancel", StyleNone, 144, 24, 50, 14},
    }};

const DialogTemplate SearchDialog{
    315,
    "Search ROM",
    236,
    71,
    DialogCentred,
    {
        {IDC_SEARCH_LABEL, ControlKind::Label, "Enter Search String:", StyleNone, 28, 13, 92, 9,
         IDC_SEARCH_TEXT},
        {IDC_SEARCH_TEXT, ControlKind::EditField, "", StyleNone, 28, 28, 122, 13},
        {1, ControlKind::DefaultPushButton, "OK", StyleNone, 180, 6, 50, 14},
        {2, ControlKind::PushButton, "Cancel", StyleNone, 180, 24, 50, 14},
    }};

const DialogTemplate OptionsDialog{
    400,
    "Options",
    344,
    194,
    DialogCentred,
    {
        {IDC_OPTIONS_TABS, ControlKind::TabControl, nullptr, StyleNone, 0, 0, 344, 160},
        {1, ControlKind::DefaultPushButton, "OK", StyleNone, 116, 168, 50, 14},
        {2, ControlKind::PushButton, "Cancel", StyleNone, 183, 168, 50, 14},
    }};

const DialogTemplate AboutDialog{
    300,
    "Taviro",
    227,
    238,
    DialogCentred,
    {
        {302, ControlKind::Label, "", StyleCentred, 47, 88, 132, 23},
        {303, ControlKind::Label, "", StyleCentred, 47, 120, 132, 20},
        {304, ControlKind::Label, "", StyleCentred, 7, 146, 212, 66},
        {1, ControlKind::DefaultPushButton, "OK", StyleNone, 88, 219, 50, 14},
    }};

const std::vector<MenuItemTemplate> ViewerMenu = {
    {IDM_VIEW_REFRESH, "&Refresh"},
    {IDM_VIEW_EXIT, "E&xit"},
};
