#pragma once
// The editor started with a word list that colors labels, for the
// navigation tests.

#include "support/QuillTest.h"

class NavFixture : public AppFixture {
protected:
    // Writes WordList() as QUILL.DAT and starts the editor.
    void SetUp() override;
    void TearDown() override;
    virtual QByteArray WordList() const { return "!red\n*\n!blue\nmes\n"; }

    // Number of the line at the top of the window; position of a line's start.
    int TopLine() const;
    int LineStart(int line) const;
    QString AtLineStart(int line) const { return QString("%1,%1").arg(LineStart(line)); }

    // Runs `act` on the next modal widget, unless this test has ended by
    // then.
    void OnModal(std::function<void(QWidget*)> act);

private:
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// `count` lines "line 1" ... "line <count>".
QString NumberedLines(int count);
