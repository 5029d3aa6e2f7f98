// The open script changed by another program: reloaded, asked about, or
// reported; the save guard; the modified marker of the title.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

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
// The caret sits on this line of 60 and the scroll shows this one first.
constexpr int kCaretLine = 29;
constexpr int kTopLine = 20;

class ChangesOnDiskTest : public AppFixture {
protected:
    // The editor on a new a.as of 60 lines in a folder of its own, active.
    void Open() {
        if (m_app) {
            Doc()->SetModifiedFlag(false);
            m_app.reset();
        }
        m_dir = std::make_unique<QTemporaryDir>();
        m_lines.clear();
        for (int i = 1; i <= 60; ++i) {
            m_lines += QStringLiteral("l%1\n").arg(i);
        }
        m_path = testutil::WriteFile(*m_dir, "a.as", m_lines.toLatin1());
        ASSERT_TRUE(Start({m_path}));
        Activate(Frame());
        View()->setTextCursor(QTextCursor(View()->document()->findBlockByNumber(kCaretLine)));
        View()->verticalScrollBar()->setValue(kTopLine);
    }
    static void Activate(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Another program changes the folder's files; then the editor has time
    // to notice and act.
    void Shell(const QString& script) {
        QProcess sh;
        sh.setWorkingDirectory(m_dir->path());
        sh.start("sh", {"-c", script});
        ASSERT_TRUE(sh.waitForFinished()) << script.toStdString();
        QTest::qWait(CDiskWatcher::kSettleMs + 350);
    }
    std::string Text() const { return View()->toPlainText().toStdString(); }
    std::string Disk() const { return testutil::ReadFile(m_path).toStdString(); }
    std::string Edited() const { return QString(m_lines).replace("\nl30", "\nXl30").toStdString(); }
    QString Status() const { return Frame()->StatusBar()->currentMessage(); }
    // Removes the copies of edits that reloads replaced; returns how many
    // there were that held the edit.
    static int TakeKeptCopies() {
        QDir folder(RecoveryStore::DefaultFolder());
        int kept = 0;
        for (const QString& name : folder.entryList({"*-kept-*.rec"})) {
            kept += testutil::ReadFile(folder.filePath(name)).contains("\nXl30\n");
            folder.remove(name);
        }
        return kept;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_lines;
};

}  // namespace

TEST_F(ChangesOnDiskTest, EveryKindOfChangeWithAndWithoutEdits) {
    // clang-format off
    const struct {
        const char* change;
        bool edits;
        QString answer;      // the button pressed on the one question; none asked when empty
        char text;           // 'L'oaded, 'E'dited, 'D'isk's
        const char* status;  // part of the status bar's message
        bool modified;
        bool rootCanSee = true;
    } cases[] = {
        {"printf 'l61\\n' >> a.as", false, {}, 'D', "a.as を再読み込みしました。", false},
        {"printf 'l61\\n' >> a.as", true, kKeep, 'E', "", true},
        {"printf 'l61\\n' >> a.as", true, kReload, 'D', "a.as を再読み込みしました。", false},
        {"printf 'L1' | dd of=a.as conv=notrunc status=none", false, {}, 'D', "再読み込み", false},
        {"printf 'new\\n' > t && mv t a.as", false, {}, 'D', "再読み込み", false},
        {"printf 'new\\n' > t && mv t a.as", true, kKeep, 'E', "", true},
        {"touch -d 2001-01-01 a.as", true, {}, 'E', "", true},
        {"rm a.as", false, {}, 'L', "a.as は削除されたか移動されました", true},
        {"mv a.as b.as", true, {}, 'E', "a.as は削除されたか移動されました", true},
        {"truncate -s 257M t && mv t a.as", true, {}, 'E', "大きすぎて", true},
        {"printf x >> a.as && chmod 000 a.as", false, {}, 'L', "読み取り中", false, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change + (c.edits ? " with edits " + c.answer : QString()).toStdString());
        if (!c.rootCanSee && ::geteuid() == 0) {
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(Open());
        if (c.edits) {
            QTest::keyClicks(View(), "X");
        }
        testutil::MessageBoxRecorder boxes(c.answer);
        Shell(c.change);
        EXPECT_EQ(Text(), c.text == 'L'   ? m_lines.toStdString()
                          : c.text == 'E' ? Edited()
                                          : Disk());
        EXPECT_EQ(boxes.Texts(),
                  c.answer.isEmpty()
                      ? QStringList()
                      : QStringList{QString::fromUtf8(msg::kChangedOnDisk).arg("a.as")});
        EXPECT_TRUE(Status().contains(QString::fromUtf8(c.status))) << Status().toStdString();
        EXPECT_EQ(Frame()->isWindowModified(), c.modified);
        if (c.text == 'D') {
            // The caret's line and the scroll stay as far as the text allows.
            EXPECT_EQ(View()->textCursor().blockNumber(),
                      std::min(kCaretLine, View()->blockCount() - 1));
            EXPECT_EQ(View()->verticalScrollBar()->value(),
                      std::min(kTopLine, View()->verticalScrollBar()->maximum()));
        }
        // Edits that a reload replaced are kept for the next start.
        EXPECT_EQ(TakeKeptCopies(), c.edits && c.text == 'D' ? 1 : 0);
    }
}

TEST_F(ChangesOnDiskTest, SaveAsksBeforeOverwritingAnotherProgramsChange) {
    QWidget elsewhere;
    for (const auto& [answer, saved] : {std::pair{QString::fromUtf8(msg::kOverwrite), true},
                                        std::pair{QString::fromUtf8(msg::kCancel), false}}) {
        SCOPED_TRACE(answer.toStdString());
        ASSERT_NO_FATAL_FAILURE(Open());
        QTest::keyClicks(View(), "X");
        // Changed while the editor is in the background: nothing asked yet.
        ASSERT_NO_FATAL_FAILURE(Activate(&elsewhere));
        Shell("printf 'other\\n' > a.as");
        testutil::MessageBoxRecorder boxes(answer);
        Dispatch(cmd::ID_FILE_SAVE);
        EXPECT_EQ(Disk(), saved ? Edited() : "other\n");
        EXPECT_EQ(Frame()->isWindowModified(), !saved);
        EXPECT_EQ(boxes.Texts(),
                  QStringList{"a.as は他のプログラムによって変更されています。上書きしますか?"});
    }
}

TEST_F(ChangesOnDiskTest, BackgroundChangesWaitForActivationAndABurstAsksOnce) {
    QWidget elsewhere;
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(Activate(&elsewhere));
    Shell("printf 'l61\\n' >> a.as");
    EXPECT_EQ(Text(), m_lines.toStdString());
    ASSERT_NO_FATAL_FAILURE(Activate(Frame()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Text() == Disk(); }));
    // The watch follows a file renamed over the script to its next write.
    for (const char* change : {"printf 'new\\n' > t && mv t a.as", "printf 'l2\\n' >> a.as"}) {
        Shell(change);
        EXPECT_EQ(Text(), Disk()) << change;
    }

    // More writes while the question is open: one question for all of them.
    QTest::keyClicks(View(), "X");
    int asked = 0;
    testutil::WhenModalOf<QMessageBox>([&](QMessageBox* box) {
        ++asked;
        Shell("printf 'l3\\n' >> a.as; sleep 0.3; printf 'l4\\n' >> a.as");
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == kKeep) {
                button->click();
            }
        }
    });
    Shell("printf 'l2b\\n' >> a.as");
    Shell("true");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Frame()->isWindowModified());

    // The reload command asks first while there are edits.
    testutil::MessageBoxRecorder boxes(kReload);
    Dispatch(cmd::ID_FILE_RELOAD);
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8(msg::kAskReload).arg("a.as")});
    EXPECT_EQ(Text(), Disk());
    EXPECT_FALSE(Frame()->isWindowModified());
    TakeKeptCopies();
    // QUILL's own save, renamed over the file, is no change.
    QTest::keyClicks(View(), "X");
    Dispatch(cmd::ID_FILE_SAVE);
    Shell("true");
    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_FALSE(Status().contains("再読み込み"));
}
