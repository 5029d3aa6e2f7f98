#pragma once
// Keyword help and the program guide: opens the HSP help pages (HTML files
// in the help directory) in the user's browser, or jumps to the label that
// the word at the caret refers to.

#include <QString>

class CQuillView;

class CKeywordHelp {
public:
    explicit CKeywordHelp(CQuillView* view);

    // Looks up the word at the caret: "*name" jumps to the label; any other
    // word opens its keyword page, else the index page.
    void OnHelpKeyword();
    // Opens the program guide.
    void OnHelpGuide();

    // Opens `path` in the browser; true when the file exists and the desktop
    // accepted it.
    static bool OpenPage(const QString& path);

private:
    // The help directory setting, used as a plain prefix.
    static QString HelpDir();
    void ShowAccessError() const;

    CQuillView* m_view;
};
