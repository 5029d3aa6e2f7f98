// The script file dialog: "all files" lists every file, the Open dialog
// finds a script typed without its ".as".
#include "support/QuillTest.h"

#include <QComboBox>
#include <QFileSystemModel>

#include "res/CScriptFileDialog.h"

namespace {

const QStringList kFilters = {QStringLiteral("ＨＳＰスクリプト(*.as)"),
                              QStringLiteral("すべてのﾌｧｲﾙ (*.*)")};

// The names the dialog lists in its current folder.
QStringList Listed(CScriptFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    const QModelIndex folder = model->index(dialog.directory().absolutePath());
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        names << model->index(row, 0, folder).data().toString();
    }
    names.sort();
    return names;
}

class ScriptFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"game.as", "Makefile", "notes.txt"}) {
            testutil::WriteFile(m_dir, QLatin1String(name), "x");
        }
    }
    // Shows `dialog` on the folder and waits until it has listed it.
    void ShowOnFolder(CScriptFileDialog& dialog) {
        dialog.setDirectory(m_dir.path());
        dialog.show();
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_TRUE(model);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Listed(dialog).isEmpty(); }));
    }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ScriptFileDialogTest, AllFilesListsFilesWithoutADotAndKeepsItsText) {
    for (auto mode : {CScriptFileDialog::Mode::Open, CScriptFileDialog::Mode::Save}) {
        CScriptFileDialog dialog(nullptr, mode, kFilters);
        ShowOnFolder(dialog);
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("QUILL.as"));
        EXPECT_EQ(Listed(dialog), QStringList{"game.as"});  // the script type first

        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(types);
        EXPECT_EQ(types->itemText(1), kFilters.at(1));
        // What the box sends when the user picks the type.
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->itemText(1));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(dialog).size() == 3; }));
        EXPECT_EQ(Listed(dialog), (QStringList{"Makefile", "game.as", "notes.txt"}));
        EXPECT_EQ(name->text(), QStringLiteral("QUILL.as"));  // not "QUILL.*"
        dialog.reject();
    }
}

TEST_F(ScriptFileDialogTest, OpenAddsTheScriptTypeToATypedNameWithoutOne) {
    struct Case {
        const char* typed;
        const char* opened;
    };
    const Case cases[] = {{"game", "game.as"}, {"Makefile", "Makefile"}, {"game.as", "game.as"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CScriptFileDialog dialog(nullptr, CScriptFileDialog::Mode::Open, kFilters);
        ShowOnFolder(dialog);
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QLatin1String(c.typed));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.SelectedFile(), m_dir.filePath(QLatin1String(c.opened)));
    }
}
