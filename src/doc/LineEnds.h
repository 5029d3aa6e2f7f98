#pragma once
// Line ends of a script file. Loading accepts CR LF, LF and a lone CR; each
// line keeps its own line end when saved, and a line the user adds takes
// the file's most common one.

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <vector>

namespace lineends {

enum class LineEnd : unsigned char { CrLf, Lf, Cr };

// The ending of a new script, and of a file that has none.
inline constexpr LineEnd kDefault = LineEnd::CrLf;

struct SplitText {
    // The text with every line end turned into "\n".
    QString text;
    // The line end after each line, in order (one per "\n" of `text`).
    std::vector<LineEnd> ends;
    // The most frequent of `ends`; ties go to CR LF, then LF.
    LineEnd common = kDefault;
};

SplitText Split(QStringView text);

QLatin1StringView Text(LineEnd end);

}  // namespace lineends
