#pragma once
// Helpers for the navigation tests that drive the real editor.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/CQuillApp.h"
#include "support/AppFixture.h"

class CQuillView;

class NavFixture : public AppFixture {
protected:
    // Writes WordList() as QUILL.DAT and starts the editor.
    void SetUp() override;
    void TearDown() override;
    // The word list the editor starts with: labels have a color.
    virtual QByteArray WordList() const { return "!red\n*\n!blue\nmes\n"; }

    // Replaces the view's text (unmodified afterwards, so New and Open do
    // not ask to save).
    void SetText(const QString& text);
    // Runs command `id` as a menu or a key would.
    void Command(int id);
    // Selection as "start,end".
    QString Sel() const;
    void Select(int start, int end);
    // Number of the line at the top of the window.
    int TopLine() const;
    // Position of the start of `line`.
    int LineStart(int line) const;

    // Runs `act` on the next modal widget, unless this test has ended by
    // then.
    void OnModal(std::function<void(QWidget*)> act);

private:
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// `count` lines "line 1" ... "line <count>".
QString NumberedLines(int count);
