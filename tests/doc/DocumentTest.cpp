// Loading and saving scripts: byte-exact round trips, line ends, failures.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include "doc/CQuillDoc.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

namespace {

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        doc.SetView(&view);
        doc.OnNewDocument();
    }

    // Opens `bytes` from a file, saves it to another; returns what was written.
    QByteArray RoundTrip(const QByteArray& bytes) {
        const QString in = testutil::WriteFile(dir, "in.as", bytes);
        QString error;
        EXPECT_TRUE(doc.OnOpenDocument(in, &error)) << error.toStdString();
        const QString out = dir.filePath("out.as");
        EXPECT_TRUE(doc.OnSaveDocument(out, &error)) << error.toStdString();
        return testutil::ReadFile(out);
    }

    QTemporaryDir dir;
    CQuillDoc doc;
    CQuillView view;
};

TEST_F(DocumentTest, RoundTripIsByteExactForEveryLineEndStyle) {
    for (const QByteArray& bytes : {
             QByteArray("mes \"a\"\r\nstop\r\n"),
             QByteArray("mes \"a\"\nstop\n"),
             QByteArray("mes \"a\"\rstop\r"),
             QByteArray("no line end at all"),
             QByteArray("last line without end\r\nx"),
             QByteArray("\r\n\r\n\r\n"),
             QByteArray(""),
         }) {
        EXPECT_EQ(RoundTrip(bytes), bytes);
    }
}

TEST_F(DocumentTest, RoundTripKeepsShiftJisAndBrokenBytes) {
    // Kanji whose trail byte is 0x5C, half-width katakana, an invalid lead
    // byte pair, a duplicate NEC/IBM code, bytes 0x80/0xA0/0xFD-0xFF and a
    // lone lead byte at the very end.
    QByteArray bytes("\x95\x5c\x8e\xa6 \xb1\xb2\xb3\r\n");
    bytes += QByteArray("\x81\x20\xed\x40\xfa\x55\x80\xa0\xfd\xfe\xff\x1a\x7f\r\n");
    bytes += QByteArray("mes \"\x82\xa0\x8a\xbf\x8e\x9a\"\r\n\x81");
    EXPECT_EQ(RoundTrip(bytes), bytes);
    EXPECT_TRUE(view.toPlainText().contains(QString::fromUtf8("\"あ漢字\"\n")));
}

TEST_F(DocumentTest, OpenSetsPathTitleAndClearsModified) {
    const QString in = testutil::WriteFile(dir, "title.as", "stop\n");
    QString error;
    ASSERT_TRUE(doc.OnOpenDocument(in, &error));
    EXPECT_EQ(doc.GetTitle(), "title.as");
    EXPECT_EQ(doc.GetPathName(), QFileInfo(in).absoluteFilePath());
    EXPECT_FALSE(doc.IsModified());
    view.insertPlainText("x");
    EXPECT_TRUE(doc.IsModified());
    // Serializing leaves the document's state alone.
    QByteArray bytes;
    ASSERT_TRUE(doc.Serialize(&bytes, &error));
    EXPECT_EQ(bytes, "xstop\n");
    EXPECT_TRUE(doc.IsModified());

    doc.OnNewDocument();
    EXPECT_EQ(doc.GetTitle(), QString::fromUtf8("無題"));
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_FALSE(doc.IsModified());
    // A new script saves with CR LF.
    view.setPlainText("a\nb");
    const QString out = dir.filePath("new.as");
    ASSERT_TRUE(doc.OnSaveDocument(out, &error));
    EXPECT_EQ(testutil::ReadFile(out), "a\r\nb");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, MissingOrUnreadableFileIsReportedAndTextKept) {
    view.setPlainText("keep me");
    QString error;
    EXPECT_FALSE(doc.OnOpenDocument(dir.filePath("missing.as"), &error));
    EXPECT_TRUE(error.contains("missing.as"));
    EXPECT_FALSE(doc.OnOpenDocument(dir.path(), &error));  // a folder cannot be read
    EXPECT_TRUE(error.contains(QString::fromUtf8("読み取り中に予期しないｴﾗｰ")));
    EXPECT_EQ(view.toPlainText(), "keep me");
}

TEST_F(DocumentTest, CharacterShiftJisCannotHoldRefusesSaveAndKeepsOldFile) {
    const QString path = testutil::WriteFile(dir, "old.as", "old bytes\r\n");
    view.setPlainText(QString::fromUtf8("line one\nline two \xF0\x9F\x98\x80 here\n"));
    QString error;
    EXPECT_FALSE(doc.OnSaveDocument(path, &error));
    EXPECT_TRUE(error.contains("2")) << error.toStdString();
    EXPECT_EQ(testutil::ReadFile(path), "old bytes\r\n");
}

TEST_F(DocumentTest, FailedWriteIsReportedAndLeavesNothingBehind) {
    view.setPlainText("text");
    QString error;
    const QString path = dir.filePath("no/such/folder/x.as");
    EXPECT_FALSE(doc.OnSaveDocument(path, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8("書き込み中に予期しないｴﾗｰ")));
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
