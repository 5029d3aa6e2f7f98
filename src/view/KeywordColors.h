#pragma once
// The keyword color records as character formats: record 0 is the default
// text (white, fixed face); records 1-7 change the color only.

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <array>

#include "script/ColorRecords.h"

namespace keywordcolors {

// The fixed-pitch face that holds Japanese: the first installed of
// "Noto Sans Mono CJK JP" and "IPAGothic", else the platform's fixed font.
QFont FixedFace();

// The color of record 0, the text no keyword colors: the screen's text
// color, and the one printing turns black.
QColor DefaultTextColor();

// The records as character formats. Record 0 sets the color and `face`'s
// family; the others set the color only, so merging them keeps the face.
std::array<QTextCharFormat, kRecordCount> BuildFormats(const QFont& face);

}  // namespace keywordcolors
