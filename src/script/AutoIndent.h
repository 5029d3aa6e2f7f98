#pragma once
// The indent of a new line: Enter starts the new line with the leading tabs
// of the line above, as read from that line's first kIndentReadBytes bytes.

#include <QByteArrayView>

namespace linescan {

constexpr int kIndentReadBytes = 31;

// Number of tabs at the start of `line`.
inline int LeadingTabs(QByteArrayView line) {
    int tabs = 0;
    while (tabs < line.size() && line[tabs] == '\t') {
        ++tabs;
    }
    return tabs;
}

}  // namespace linescan
