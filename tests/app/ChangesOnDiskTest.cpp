// The open script changed by another program: reloaded, asked about, or
// reported; the save guard; the modified marker of the title.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "doc/CDiskWatcher.h"
#include "doc/CQuillDoc.h"
#include "doc/RecoveryStore.h"
#include "res/CommandIds.h"
#include "res/Messages.h"
#include "support/AppFixture.h"
#include "support/MessageBoxRecorder.h"
#include "view/CQuillView.h"

namespace {

const QString kReload = QString::fromUtf8(msg::kReload);
const QString kKeep = QString::fromUtf8(msg::kKeepEditing);

// 60 numbered lines; the caret sits on line 30 and line 20 is at the top.
constexpr int kCaretLine = 29;
constexpr int kTopLine = 20;
QByteArray Lines() {
    QByteArray bytes;
    for (int i = 1; i <= 60; ++i) {
        bytes += "l" + QByteArray::number(i) + "\n";
    }
    return bytes;
}

class ChangesOnDiskTest : public AppFixture {
protected:
    // Starts the editor on a new a.as in a folder of its own, the window active.
    void Open() {
        if (m_app) {
            Doc()->SetModifiedFlag(false);
            m_app.reset();
        }
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = testutil::WriteFile(*m_dir, "a.as", Lines());
        ASSERT_TRUE(Start({m_path}));
        Activate(Frame());
        QTextCursor caret(View()->document()->findBlockByNumber(kCaretLine));
        View()->setTextCursor(caret);
        View()->verticalScrollBar()->setValue(kTopLine);
    }
    static void Activate(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Another program changes the folder's files.
    void Shell(const QString& script) {
        QProcess sh;
        sh.setWorkingDirectory(m_dir->path());
        sh.start("sh", {"-c", script});
        ASSERT_TRUE(sh.waitForFinished()) << script.toStdString();
    }
    // Long enough for the watcher to have noticed and the editor to have acted.
    static void Settle() { QTest::qWait(CDiskWatcher::kSettleMs + 350); }
    QString Disk() const { return QString::fromLatin1(testutil::ReadFile(m_path)); }
    QString Edited() const { return QString::fromLatin1(Lines()).replace("\nl30\n", "\nXl30\n"); }
    QString Status() const { return Frame()->StatusBar()->currentMessage(); }
    static QStringList KeptCopies() {
        return QDir(RecoveryStore::DefaultFolder()).entryList({"*-kept-*.rec"});
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

}  // namespace

TEST_F(ChangesOnDiskTest, EveryKindOfChangeWithAndWithoutEdits) {
    enum class Text { Loaded, Edited, Disk };
    const struct {
        const char* change;
        bool edits;
        const QString answer;  // the button pressed on a question
        Text text;
        bool asked;
        const char* status;  // part of the status bar's message
        bool modified;
        bool rootCanSee = true;
    } cases[] = {
        {"printf 'l61\\n' >> a.as",
         false,
         {},
         Text::Disk,
         false,
         "a.as を再読み込みしました。",
         false},
        {"printf 'l61\\n' >> a.as", true, kKeep, Text::Edited, true, "", true},
        {"printf 'l61\\n' >> a.as", true, kReload, Text::Disk, true, "を再読み込みしました", false},
        {"printf 'L1' | dd of=a.as conv=notrunc status=none",
         false,
         {},
         Text::Disk,
         false,
         "再読み込み",
         false},
        {"printf 'new\\n' > t && mv t a.as", false, {}, Text::Disk, false, "再読み込み", false},
        {"printf 'new\\n' > t && mv t a.as", true, kKeep, Text::Edited, true, "", true},
        {"touch -d 2001-01-01 a.as", false, {}, Text::Loaded, false, "", false},
        {"cp a.as t && mv t a.as", true, {}, Text::Edited, false, "", true},
        {"rm a.as", false, {}, Text::Loaded, false, "削除されたか移動されました", true},
        {"mv a.as b.as", true, {}, Text::Edited, false, "削除されたか移動されました", true},
        {"truncate -s 257M t && mv t a.as", true, {}, Text::Edited, false, "大きすぎて", true},
        {"printf x >> a.as && chmod 000 a.as",
         false,
         {},
         Text::Loaded,
         false,
         "読み取り中",
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.change + (c.edits ? " with edits " + c.answer : QString())).toStdString());
        if (!c.rootCanSee && ::geteuid() == 0) {
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(Open());
        if (c.edits) {
            QTest::keyClicks(View(), "X");
        }
        const QStringList keptBefore = KeptCopies();
        testutil::MessageBoxRecorder boxes(c.answer);
        Shell(c.change);
        Settle();
        const QString expected = c.text == Text::Loaded   ? QString::fromLatin1(Lines())
                                 : c.text == Text::Edited ? Edited()
                                                          : Disk();
        EXPECT_EQ(View()->toPlainText().toStdString(), expected.toStdString());
        EXPECT_EQ(boxes.Boxes().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(boxes.Texts().first().startsWith("a.as は他のプログラムによって変更"));
        }
        EXPECT_TRUE(Status().contains(QString::fromUtf8(c.status))) << Status().toStdString();
        EXPECT_EQ(Doc()->IsModified(), c.modified);
        EXPECT_EQ(Frame()->isWindowModified(), c.modified);
        if (c.text == Text::Disk) {
            // The caret's line and the scroll stay as far as the text allows.
            const int lines = View()->blockCount();
            EXPECT_EQ(View()->textCursor().blockNumber(), std::min(kCaretLine, lines - 1));
            EXPECT_EQ(View()->verticalScrollBar()->value(),
                      std::min(kTopLine, View()->verticalScrollBar()->maximum()));
        }
        // Edits that a reload replaced are kept for the next start.
        const QStringList kept = KeptCopies();
        EXPECT_EQ(kept.size(), keptBefore.size() + (c.edits && c.text == Text::Disk ? 1 : 0));
        for (const QString& name : kept) {
            const QString path = RecoveryStore::DefaultFolder() + "/" + name;
            EXPECT_TRUE(testutil::ReadFile(path).contains("\nXl30\n"));
            QFile::remove(path);
        }
        Shell("chmod 644 a.as 2>/dev/null; true");
    }
}

TEST_F(ChangesOnDiskTest, SaveAsksBeforeOverwritingAnotherProgramsChange) {
    QWidget elsewhere;
    const QString overwrite = QString::fromUtf8(msg::kOverwrite);
    const QString cancel = QString::fromUtf8(msg::kCancel);
    const struct {
        const char* change;  // made while the editor is in the background
        QString answer;
        bool saved;
    } cases[] = {
        {"printf 'other\\n' > a.as", overwrite, true},
        {"printf 'other\\n' > a.as", cancel, false},
        {"true", {}, true},  // QUILL's own save alone asks nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.change + c.answer).toStdString());
        ASSERT_NO_FATAL_FAILURE(Open());
        QTest::keyClicks(View(), "X");
        EXPECT_TRUE(Frame()->isWindowModified());
        ASSERT_NO_FATAL_FAILURE(Activate(&elsewhere));
        Shell(c.change);
        Settle();
        const QString other = Disk();
        testutil::MessageBoxRecorder boxes(c.answer);
        Dispatch(cmd::ID_FILE_SAVE);
        EXPECT_EQ(Disk(), c.saved ? Edited() : other);
        EXPECT_EQ(Frame()->isWindowModified(), !c.saved);
        // Back in the editor: a refused overwrite is the change not yet asked
        // about; after a save there is nothing to say.
        ASSERT_NO_FATAL_FAILURE(Activate(Frame()));
        Settle();
        QStringList expected;
        if (!c.answer.isEmpty()) {
            expected << "a.as は他のプログラムによって変更されています。上書きしますか?";
        }
        if (!c.saved) {
            expected << QString::fromUtf8(msg::kChangedOnDisk).arg("a.as");
        }
        EXPECT_EQ(boxes.Texts(), expected);
        EXPECT_FALSE(Status().contains("再読み込み"));
    }
}

TEST_F(ChangesOnDiskTest, BackgroundChangesWaitForActivationAndABurstAsksOnce) {
    QWidget elsewhere;
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(Activate(&elsewhere));
    Shell("printf 'l61\\n' >> a.as");
    Settle();
    EXPECT_EQ(View()->toPlainText(), QString::fromLatin1(Lines()));
    ASSERT_NO_FATAL_FAILURE(Activate(Frame()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return View()->toPlainText() == Disk(); }));
    // The watch follows a file renamed over the script to its next write.
    for (const char* change : {"printf 'new\n' > t && mv t a.as", "printf 'l2\n' >> a.as"}) {
        Shell(change);
        Settle();
        EXPECT_EQ(View()->toPlainText().toStdString(), Disk().toStdString()) << change;
    }

    // More writes while the question is open: one question for all of them.
    QTest::keyClicks(View(), "X");
    int asked = 0;
    testutil::WhenModalOf<QMessageBox>([&](QMessageBox* box) {
        ++asked;
        Shell("printf 'l62\\n' >> a.as; sleep 0.3; printf 'l63\\n' >> a.as");
        Settle();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == kKeep) {
                button->click();
            }
        }
    });
    Shell("printf 'l61b\\n' >> a.as");
    Settle();
    Settle();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Doc()->IsModified());

    // The reload command asks first while there are edits.
    testutil::MessageBoxRecorder boxes(kReload);
    Dispatch(cmd::ID_FILE_RELOAD);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8(msg::kAskReload).arg("a.as")});
    EXPECT_EQ(View()->toPlainText(), Disk());
    EXPECT_FALSE(Frame()->isWindowModified());
    for (const QString& name : KeptCopies()) {
        QFile::remove(RecoveryStore::DefaultFolder() + "/" + name);
    }
}
