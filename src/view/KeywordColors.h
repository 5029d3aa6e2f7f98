#pragma once
// The eight color records of the keyword color table: record 0 is the
// default text (white, fixed face); records 1-7 are chosen in QUILL.DAT by
// their directive and change the color only.

#include <QByteArrayView>
#include <QFont>
#include <QTextCharFormat>
#include <array>

namespace keywordcolors {

constexpr int kRecordCount = 8;

struct ColorRecord {
    const char* directive;  // the QUILL.DAT line that selects it; none for 0
    int red;
    int green;
    int blue;
};

inline constexpr std::array<ColorRecord, kRecordCount> kRecords = {{
    {nullptr, 255, 255, 255},
    {"!red", 255, 0, 0},
    {"!orange", 220, 120, 0},
    {"!yellow", 250, 250, 50},
    {"!yellowgreen", 50, 250, 0},
    {"!green", 0, 150, 0},
    {"!blue", 0, 100, 250},
    {"!violet", 150, 0, 150},
}};

// Record (1-7) of a directive line, compared whole and case-sensitively;
// -1 when the line is not a directive.
int DirectiveRecord(QByteArrayView line);

// The fixed-pitch face that holds Japanese: the first installed of
// "Noto Sans Mono CJK JP" and "IPAGothic", else the platform's fixed font.
QFont FixedFace();

// The records as character formats. Record 0 sets the color and `face`'s
// family; the others set the color only, so merging them keeps the face.
std::array<QTextCharFormat, kRecordCount> BuildFormats(const QFont& face);

}  // namespace keywordcolors
