#pragma once
// Small helpers shared by the tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>

class CEditControl;
class CQuillView;

namespace testutil {

// Runs `act` on the next modal widget (dialog or message box) as soon as one
// is open, from a timer, so that a test can call a command that runs a modal
// loop. Gives up after `timeoutMs`.
void WhenModal(std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Runs `act` on the next modal widget, which must be a T and which `act`
// must close. Anything else fails the test, and what is left open is closed
// so that a failed check never hangs the test.
template <class T>
void WhenModalOf(std::function<void(T*)> act) {
    WhenModal([act](QWidget* modal) {
        if (auto* typed = qobject_cast<T*>(modal)) {
            act(typed);
        } else {
            ADD_FAILURE() << "unexpected modal widget " << modal->metaObject()->className();
        }
        if (modal->isVisible()) {
            ADD_FAILURE() << modal->metaObject()->className() << " was left open";
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->done(0);
            } else {
                modal->close();
            }
        }
    });
}

// Writes `bytes` to `dir`/`name` (folders made as needed); the full path.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// Removes every value from the settings store.
void ClearSettings();
// The INI file behind the settings store.
QString SettingsFile();

// Sets an environment variable for its lifetime and then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    QByteArray m_old;
    bool m_wasSet;
};

// The source tree's folder (for the shipped QUILL.DAT and fixtures).
QString SourceDir();

// A view as the editor makes it, with `words` as its word list.
std::unique_ptr<CQuillView> MakeView(const QByteArray& words);

// The color record of each character of a line of `view`, as digits, '-'
// where no recoloring has reached; of the whole text, each line followed by
// the record of its line end.
QString RecordsOfLine(CQuillView& view, int line);
QString RecordsOfText(CQuillView& view);

// The selection as "start,end".
QString SelOf(const CEditControl& ctrl);

// Types `text` into `w` as an input method commits it.
void Commit(QWidget* w, const QString& text);

// Pixels of `image` for which `is` holds.
int CountPixels(const QImage& image, const std::function<bool(QRgb)>& is);

// Whether `image` shows text in `color`: a pixel of that color, or of it
// blended with the background `paper` (0 black, 255 white) at a glyph's
// smoothed edge.
bool ShowsColor(const QImage& image, const QColor& color, int paper = 0);

}  // namespace testutil

// gtest shows a QString as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
