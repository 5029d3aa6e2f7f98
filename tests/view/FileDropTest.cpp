// Dropping a file on the view opens it (dropped text: ColoringViewTest).
#include "support/QuillTest.h"

namespace {

class FileDropTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    // Drags `data` over the view and drops it; whether the drop was accepted.
    bool Drop(QMimeData* data) {
        QWidget* target = View()->viewport();
        const QPoint pos(10, 10);
        QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDragMoveEvent move(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(pos), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(FileDropTest, DroppedFileIsOpened) {
    const QString path = testutil::WriteFile(m_dir, "dropped.as", "mes \"dropped\"\r\n");
    const QString other = testutil::WriteFile(m_dir, "second.as", "stop\r\n");
    auto data = std::make_unique<QMimeData>();
    data->setUrls(
        {QUrl("https://example.com/x.as"), QUrl::fromLocalFile(path), QUrl::fromLocalFile(other)});
    EXPECT_TRUE(Drop(data.get()));
    // The first local file is opened once the drag has ended.
    QTRY_COMPARE(Doc()->GetPathName(), path);
    EXPECT_EQ(View()->toPlainText(), "mes \"dropped\"\n");
}

TEST_F(FileDropTest, DropAsksToSaveAModifiedScriptFirst) {
    View()->setPlainText("edited");
    Doc()->SetModifiedFlag(true);
    const QString path = testutil::WriteFile(m_dir, "next.as", "end\r\n");
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile(path)});

    bool asked = false;
    testutil::WhenModal([&asked](QWidget* w) {
        if (auto box = qobject_cast<QMessageBox*>(w)) {
            asked = true;
            box->button(QMessageBox::Cancel)->click();
        }
    });
    EXPECT_TRUE(Drop(data.get()));
    QTRY_VERIFY(asked);
    QTest::qWait(20);
    EXPECT_EQ(View()->toPlainText(), "edited");  // cancelled: nothing opened
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
}
