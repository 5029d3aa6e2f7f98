#pragma once
// Dialog layouts as data: a dialog's title, size and font, and its controls
// with their positions and sizes in dialog units. CDialogBase builds a
// QDialog from one of these; the tables themselves are in DialogResources.

#include <cstddef>

// Standard button ids: the OK button accepts the dialog, Cancel rejects it.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
// Id of a control that nobody looks up (labels).
constexpr int IDC_STATIC = -1;

enum class DlgControlKind {
    PushButton,
    DefPushButton,  // the dialog's default button: Enter presses it
    Static,         // a line of text; "&" is shown as it stands unless kMnemonic
    Edit,           // a one-line edit box
    ListBox,        // a single-selection list
    Icon,           // the application icon
    CheckBox,       // a check box with its text
    RadioButton,    // a radio button; those of one dialog form one group
    GroupBox,       // a frame with a caption around other controls
};

// Control styles that change how a control behaves or looks. Flags combine.
namespace dlgstyle {
constexpr unsigned kNone = 0;
constexpr unsigned kBorder = 1u << 0;  // edit boxes and lists: a frame
// Edit boxes.
constexpr unsigned kReadOnly = 1u << 1;
constexpr unsigned kRightAlign = 1u << 2;  // text aligned to the right edge
// List boxes.
constexpr unsigned kVScroll = 1u << 3;  // vertical scroll bar (shown when needed)
// Labels: the "&" in the text marks a mnemonic that moves the focus to the
// control that follows the label in the table.
constexpr unsigned kMnemonic = 1u << 4;
}  // namespace dlgstyle

struct DlgControl {
    DlgControlKind kind;
    int id;
    const char* text;  // UTF-8; empty for none
    int x, y, w, h;    // dialog units
    unsigned styles;
    const char* name = nullptr;  // object name, when the control is looked up by it
};

struct DlgTemplate {
    int id;             // resource number
    const char* title;  // UTF-8 caption
    int w, h;           // client size in dialog units
    const char* fontFace;
    int pointSize;
    bool hasCaption;  // false: no title bar, a bare bordered popup
    const DlgControl* controls;
    std::size_t controlCount;
};
