#pragma once
// Keyword help and the program guide: opens the HSP help pages (HTML files
// in the help directory) in the user's browser, or jumps to the label that
// the word at the caret refers to.

#include <QString>
#include <functional>

class CEditControl;
class CNavigator;

class CKeywordHelp {
public:
    // `helpDir` gives the help directory setting as it is at the time of
    // the lookup; it is used as a plain prefix.
    CKeywordHelp(CEditControl& ctrl, CNavigator& nav, std::function<QString()> helpDir);

    // Looks up the word at the caret: "*name" jumps to the label; any other
    // word opens its keyword page, else the index page.
    void OnHelpKeyword();
    // Opens the program guide.
    void OnHelpGuide();

    // Opens `path` in the browser; true when the file exists and the desktop
    // accepted it.
    static bool OpenPage(const QString& path);

private:
    QString HelpDir() const;
    void ShowAccessError() const;

    CEditControl& m_ctrl;
    CNavigator& m_nav;
    std::function<QString()> m_helpDir;
};
