#pragma once
// The start-up question about recovery copies left by editors that are
// gone: its text, and which copy the starting window takes.

#include <QDateTime>
#include <QList>
#include <QString>

#include "doc/RecoveryStore.h"

namespace recoveryquestion {

// No copy goes into the starting window.
inline constexpr int kNoCopy = -1;

// How the script on disk stands against its recovery copy.
enum class DiskState { Untitled, Unchanged, ChangedAfterCopy, Missing };

DiskState DiskStateOf(const RecoveryCopy& copy);

// The question listing each readable copy by name and time (local), with a
// note for a script changed on disk after its copy or gone; empty when no
// copy is readable.
QString QuestionText(const QList<RecoveryStore::Orphan>& orphans);

// The report of copies that could not be read and are left in place; empty
// when every copy was read.
QString UnreadableText(const QList<RecoveryStore::Orphan>& orphans);

// Index of the readable copy the starting window takes: the one of the
// script it opened (`openedPath`), else the first one when the window holds
// a new, untouched script (`windowIsBlank`); -1 when each copy needs a
// window of its own (kNoCopy).
int CopyForThisWindow(const QList<RecoveryStore::Orphan>& orphans, const QString& openedPath,
                      bool windowIsBlank);

}  // namespace recoveryquestion
