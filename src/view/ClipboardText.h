#pragma once
// What the clipboard and a drag carry of the editor's text. Other programs
// get the characters as they know them: the marks that keep a duplicate
// Shift_JIS code (see text/Cp932Codec.h) are left out of the plain text. The
// editor itself gets the text exactly, marks and all, from a format of its
// own, so that text copied within QUILL saves to the bytes it came from.

#include <QString>

class QMimeData;

namespace clipboardtext {

// The format that carries the exact text (UTF-8).
inline constexpr char kExactFormat[] = "application/x-quill-text";

// Turns `data`, made from a selection, into what the clipboard carries.
void KeepExact(QMimeData* data);

// The text to insert from `data`: the exact text when it is there and
// matches the plain text, else the plain text.
QString TextToInsert(const QMimeData* data);

}  // namespace clipboardtext
