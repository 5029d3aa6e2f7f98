#pragma once
// The eight color records of the keyword color table: record 0 is the
// default text (white); records 1-7 are chosen in QUILL.DAT by their
// directive line.

#include <QByteArrayView>
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

}  // namespace keywordcolors
