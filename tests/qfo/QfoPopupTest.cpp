// The F4 popup, driven through the application's command.
#include "support/QuillTest.h"

#include "qfo/CQfoPopupDlg.h"
#include "qfo/QfoProcess.h"
#include "qfo/QfoTestSupport.h"

namespace {

using qfotest::ClickItem;
using qfotest::MessageBoxRecorder;

class QfoPopupTest : public qfotest::QfoAppFixture {
protected:
    void SetUp() override {
        QfoAppFixture::SetUp();
        m_script = testutil::WriteFile(m_files, "script.as", "mes \"hi\"\r\n");
        SetQfoLaunchHookForTesting([this](const QString& program, const QStringList& args) {
            m_launches.push_back(QStringList{program} + args);
        });
    }
    void TearDown() override {
        SetQfoLaunchHookForTesting({});
        QfoAppFixture::TearDown();
    }
    void RunPopup(std::function<void(CQfoPopupDlg*)> drive) { RunDialog(cmd::ID_QFO_OPEN, drive); }

    QTemporaryDir m_files;
    QString m_script;
    std::vector<QStringList> m_launches;
};

TEST_F(QfoPopupTest, EnterOrDoubleClickOpensTheEntryWithShiftInASecondEditor) {
    Entry("script", m_script.toUtf8());
    Entry("other", "/nowhere.as");
    for (const Qt::KeyboardModifiers modifiers : {Qt::ShiftModifier, Qt::NoModifier}) {
        RunPopup([&](CQfoPopupDlg* popup) {
            ClickItem(popup->m_list, "script");
            EXPECT_EQ(popup->m_name, "script");
            QTest::keyClick(popup->m_list, Qt::Key_Return, modifiers);
        });
        RunPopup([&](CQfoPopupDlg* popup) { ClickItem(popup->m_list, "script", true, modifiers); });
        if (modifiers == Qt::ShiftModifier) {
            EXPECT_TRUE(Doc()->GetPathName().isEmpty());
        }
    }
    const QStringList launch{QCoreApplication::applicationFilePath(), m_script};
    EXPECT_EQ(m_launches, std::vector<QStringList>({launch, launch}));
    EXPECT_EQ(Doc()->GetPathName(), m_script);
}

TEST_F(QfoPopupTest, EnterOrEscapeWithoutChoiceOpensNothing) {
    Entry("script", m_script.toUtf8());
    MessageBoxRecorder boxes;
    RunPopup([](CQfoPopupDlg* popup) { QTest::keyClick(popup->m_list, Qt::Key_Return); });
    RunPopup([](CQfoPopupDlg* popup) {
        QTest::keyClick(popup->m_list, Qt::Key_Down);
        EXPECT_EQ(popup->m_name, "script");
        QTest::keyClick(popup->m_list, Qt::Key_Escape);
        EXPECT_TRUE(popup->m_name.isEmpty());
    });
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_TRUE(m_launches.empty());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(QfoPopupTest, WithoutEntriesOneGrayedLineSaysHowToAddOne) {
    MessageBoxRecorder boxes;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        RunPopup([key](CQfoPopupDlg* popup) {
            ASSERT_EQ(popup->m_list->count(), 1);
            const QListWidgetItem* hint = popup->m_list->item(0);
            EXPECT_TRUE(hint->text().contains("設定 → QuickFileOpen設定"));
            EXPECT_FALSE(hint->flags() & (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
            EXPECT_EQ(popup->m_count, 0);
            QTest::keyClick(popup->m_list, Qt::Key_Down);
            QTest::mouseDClick(popup->m_list->viewport(), Qt::LeftButton, {},
                               popup->m_list->visualItemRect(hint).center());
            EXPECT_TRUE(popup->isVisible());
            QTest::keyClick(popup->m_list, key);
            EXPECT_TRUE(popup->m_name.isEmpty());
        });
    }
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_TRUE(m_launches.empty());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(QfoPopupTest, MissingFileIsReportedAndAFolderIgnored) {
    Entry("gone", m_files.filePath("gone.as").toUtf8());
    // A path followed by a line break reads with CR LF and names no file.
    Entry("broken", m_script.toUtf8() + "\n");
    ASSERT_TRUE(QDir(ExeDir()).mkpath("QFO/folder"));
    for (const QString& name : {QString("gone"), QString("broken"), QString("folder")}) {
        MessageBoxRecorder boxes;
        RunPopup([&](CQfoPopupDlg* popup) {
            ClickItem(popup->m_list, name);
            QTest::keyClick(popup->m_list, Qt::Key_Return, Qt::ShiftModifier);
        });
        if (name == "folder") {
            EXPECT_TRUE(boxes.Boxes().empty());
            continue;
        }
        EXPECT_EQ(boxes.Texts(), QStringList{"ファイルが見つかりません。"}) << name.toStdString();
    }
    EXPECT_TRUE(m_launches.empty());
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
}

}  // namespace
