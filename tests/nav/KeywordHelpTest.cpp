// Keyword help (F1) and the program guide on the editor. Pages are caught by
// a URL handler that the test installs, so no browser is started.
#include <QDesktopServices>

#include "NavTestSupport.h"
#include "nav/CNavigator.h"

class PageCatcher : public QObject {
    Q_OBJECT
public:
    QStringList pages;  // file names of the pages opened, in order
public slots:
    void Open(const QUrl& url) { pages << QFileInfo(url.toLocalFile()).fileName(); }
};

namespace {

class KeywordHelp : public NavFixture {
protected:
    void SetUp() override {
        NavFixture::SetUp();
        QDesktopServices::setUrlHandler("file", &m_catcher, "Open");
        for (const char* page :
             {"S_mes.htm", "S_getpat.htm", "S_Circle.htm", "hsppidx.htm", "hspprog.htm"}) {
            AddPage(page);
        }
        App()->m_hsphelp = m_help.path() + "/";
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("file");
        NavFixture::TearDown();
    }
    void AddPage(const QString& name) { testutil::WriteFile(m_help, name, "<html></html>"); }
    void RemovePage(const QString& name) { QFile::remove(m_help.filePath(name)); }

    // F1 at `column` of line 0; the page opened ("" for none).
    QString HelpAt(int column) {
        m_catcher.pages.clear();
        Select(column, column);
        QTest::keyClick(View(), Qt::Key_F1);
        return m_catcher.pages.join(',');
    }

    QTemporaryDir m_help;
    PageCatcher m_catcher;
};

}  // namespace

TEST_F(KeywordHelp, PageOfTheWordAtTheCaretKeepsItsCase) {
    SetText(QString::fromUtf8("\tmes \"a\"   getpath Circle circle abcde表\n"));
    EXPECT_EQ(HelpAt(0), "S_mes.htm");
    EXPECT_EQ(HelpAt(4), "S_mes.htm");
    EXPECT_EQ(HelpAt(5), "hsppidx.htm");  // "a" has no page: the index
    EXPECT_EQ(HelpAt(9), "S_getpat.htm");
    EXPECT_EQ(HelpAt(19), "S_Circle.htm");
    EXPECT_EQ(HelpAt(26), "hsppidx.htm");  // the file system tells case apart
    // The first six bytes end inside "表": no such page.
    AddPage(QString::fromUtf8("S_abcde表.htm"));
    EXPECT_EQ(HelpAt(34), "hsppidx.htm");
}

TEST_F(KeywordHelp, MissingPagesFallBackToTheIndexThenTheMessage) {
    SetText("print\n");
    EXPECT_EQ(HelpAt(0), "hsppidx.htm");
    RemovePage("hsppidx.htm");
    testutil::MessageBoxRecorder boxes;
    EXPECT_EQ(HelpAt(0), "");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "QUILL");
    EXPECT_TRUE(boxes.Boxes()[0].onlyOk);

    // The program guide has no fallback.
    m_catcher.pages.clear();
    Dispatch(cmd::ID_HELP_GUIDE);
    EXPECT_EQ(m_catcher.pages, QStringList{"hspprog.htm"});
    RemovePage("hspprog.htm");
    m_catcher.pages.clear();
    Dispatch(cmd::ID_HELP_GUIDE);
    EXPECT_TRUE(m_catcher.pages.isEmpty());

    // A folder typed without a final "/" holds the same pages.
    App()->m_hsphelp = m_help.path();
    SetText("mes\n");
    EXPECT_EQ(HelpAt(0), "S_mes.htm");
    EXPECT_EQ(boxes.Texts(),
              QStringList(2,
                          "ヘルプファイルにアクセスできません。\n"
                          "ヘルプのフォルダは「設定 → ディレクトリ設定」で設定します。"));
}

TEST_F(KeywordHelp, EmptyFolderSettingLooksBesideTheWorkingFolder) {
    App()->m_hsphelp.clear();
    const QString old = QDir::currentPath();
    QDir::setCurrent(m_help.path());
    SetText("mes\n");
    EXPECT_EQ(HelpAt(0), "S_mes.htm");
    QDir::setCurrent(old);
}

TEST_F(KeywordHelp, LabelReferenceJumpsInsteadOfOpeningAPage) {
    SetText("\tgoto *here\nmes\n*HERE\n");
    EXPECT_EQ(HelpAt(8), "");
    EXPECT_EQ(Sel(), AtLineStart(2));
    EXPECT_EQ(View()->Navigator().Marks().MarkCount(), 1);
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "8,8");

    // "*" right after a word starts no reference; a lone "*" looks for "".
    SetText("mes*here\ngoto * \n*here\n");
    EXPECT_EQ(HelpAt(1), "S_mes.htm");
    testutil::MessageBoxRecorder boxes;
    EXPECT_EQ(HelpAt(15), "");
    EXPECT_EQ(boxes.Texts(), QStringList{"ラベルが見つかりません。"});
}

#include "KeywordHelpTest.moc"
