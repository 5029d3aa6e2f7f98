// Loading and saving scripts: byte-exact round trips, line ends, failures.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>

#include <csignal>

#include "support/QuillTest.h"

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

TEST_F(DocumentTest, RoundTripIsByteExactForEveryLineEndAndEveryByte) {
    for (const QByteArray& bytes : {
             QByteArray("mes \"a\"\r\nstop\r\n"),
             QByteArray("mes \"a\"\nstop\n"),
             QByteArray("mes \"a\"\rstop\r"),
             QByteArray("last line without end\r\nx"),
             QByteArray(""),
             // Mixed: every line end stays as it was.
             QByteArray("first\rsecond\nthird\r\n\n\r\r\nlast"),
             QByteArray("\x7f"
                        "ELF\x02\x01\x00\n\r\x00\x00\x0d\x0a\xff\n",
                        15),
             // Trail byte 0x5C, half-width katakana, an invalid pair, a
             // duplicate code, bytes that are no character, a lone lead byte.
             QByteArray("\x95\x5c\x8e\xa6 \xb1\xb2\r\n\x81\x20\xed\x40\x80\xa0\xfd\xff\r\n\x81"),
         }) {
        EXPECT_EQ(RoundTrip(bytes), bytes);
    }
}

TEST_F(DocumentTest, EachEncodingIsFoundAndSavedByteForByte) {
    using textenc::Encoding;
    const struct {
        QByteArray bytes;
        Encoding encoding;
    } cases[] = {
        {"mes \"\xe3\x81\x82\"\r\n// \xe6\xbc\xa2\nstop\r", Encoding::Utf8},
        {"\xef\xbb\xbfmes \"\xe3\x81\x82\"\n", Encoding::Utf8Bom},
        {"\xef\xbb\xbf\x82\xa0\n", Encoding::ShiftJis},  // a mark, then no UTF-8
        {"mes \"\xe3\x81\x82\"\n\xff\n", Encoding::ShiftJis},
        {"mes 1\r\n", Encoding::ShiftJis},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().data());
        EXPECT_EQ(RoundTrip(c.bytes), c.bytes);
        EXPECT_EQ(doc.GetEncoding(), c.encoding);
    }
    // An edited UTF-8 script is saved in UTF-8; the mark stays.
    RoundTrip("\xef\xbb\xbf\n");
    QTextCursor(view.document()).insertText(QStringLiteral("漢"));
    QString error;
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("edited.as"), &error));
    EXPECT_EQ(testutil::ReadFile(dir.filePath("edited.as")), "\xef\xbb\xbf\xe6\xbc\xa2\n");
    // A new script is Shift_JIS again.
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetEncoding(), Encoding::ShiftJis);
}

TEST_F(DocumentTest, ChosenEncodingIsWhatTheNextSaveWritesAndWhatAReopenReads) {
    using textenc::Encoding;
    const QString path = testutil::WriteFile(dir, "latin.as", "caf\xc3\xa9\n");
    QString error;
    ASSERT_TRUE(doc.OnOpenDocument(path, &error));
    EXPECT_EQ(doc.GetEncoding(), Encoding::ShiftJis);  // read as half-width katakana
    EXPECT_TRUE(doc.ReopenWithEncoding(Encoding::Utf8));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("café\n"));
    EXPECT_FALSE(doc.IsModified());

    doc.SetEncoding(Encoding::Utf8Bom);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(path, &error));
    EXPECT_EQ(testutil::ReadFile(path),
              "\xef\xbb\xbf"
              "caf\xc3\xa9\n");

    // A file that is no UTF-8 is not read as such: a message, the text kept.
    testutil::WriteFile(dir, "latin.as", "\x82\xa0\n");
    testutil::MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.ReopenWithEncoding(Encoding::Utf8));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(boxes.Boxes()[0].text.contains("UTF-8"));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("café\n"));
    EXPECT_TRUE(doc.ReopenWithEncoding(Encoding::ShiftJis));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("あ\n"));
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

TEST_F(DocumentTest, EditedLinesKeepTheirEndsAndNewLinesTakeTheMostCommon) {
    // LF is the most common end here; CR LF for a file without any.
    const QByteArray file("one\rtwo\ntwo2\nthree\r\n");
    const struct {
        QByteArray bytes;
        int from;
        int to;
        const char* insert;
        QByteArray saved;
    } cases[] = {
        {file, 2, 2, "\n", "on\ne\rtwo\ntwo2\nthree\r\n"},        // split a line
        {file, 3, 4, "", "onetwo\ntwo2\nthree\r\n"},              // join two lines
        {file, 1, 10, "", "oo2\nthree\r\n"},                      // across lines
        {file, 19, 19, "x\ny", "one\rtwo\ntwo2\nthree\r\nx\ny"},  // after the end
        {file, 0, 0, "a\n", "a\none\rtwo\ntwo2\nthree\r\n"},      // before the start
        {"a\rb\rc\r\nd", 1, 1, "\n", "a\r\rb\rc\r\nd"},
        {"a\r\nb\nc", 0, 0, "\n", "\r\na\r\nb\nc"},  // a tie goes to CR LF
        {"no end", 6, 6, "\n", "no end\r\n"},
    };
    for (const auto& c : cases) {
        const QString in = testutil::WriteFile(dir, "ends.as", c.bytes);
        QString error;
        ASSERT_TRUE(doc.OnOpenDocument(in, &error));
        QTextCursor cursor(view.document());
        cursor.setPosition(c.from);
        cursor.setPosition(c.to, QTextCursor::KeepAnchor);
        cursor.insertText(QString::fromLatin1(c.insert));
        QByteArray bytes;
        ASSERT_TRUE(doc.Serialize(&bytes, &error));
        EXPECT_EQ(bytes, c.saved) << c.bytes.toStdString() << " / " << c.insert;
    }
}

TEST_F(DocumentTest, WhatIsNoReadableScriptIsReportedAndTextKept) {
    view.setPlainText("keep me");
    // Past the size limit, without taking disk space.
    const QString huge = dir.filePath("huge.as");
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize(qint64(257) << 20));
    hugeFile.close();
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {dir.filePath("missing.as"), "が見つかりません。"},
        // Every kind of file the reader refuses gives the one message.
        {"/dev/zero", "は通常のファイルではないため開けません。"},
        {huge, "は大きすぎて開けません (256 MB まで)。"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(doc.OnOpenDocument(c.path, &error));
        EXPECT_EQ(error, c.path + " " + QString::fromUtf8(c.message));
        EXPECT_EQ(view.toPlainText(), "keep me");
    }
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

    // The save command's message box stands over the editor's window.
    QWidget* owner = nullptr;
    testutil::WhenModal([&owner](QWidget* box) {
        owner = box->parentWidget();
        qobject_cast<QMessageBox*>(box)->accept();
    });
    EXPECT_FALSE(doc.DoSave(path, false));
    EXPECT_EQ(owner, view.window());
}

}  // namespace

namespace {

// Makes `folder` take no new file for the test's lifetime: immutable for
// root (whom permissions do not stop), read-only otherwise. Unusable
// when the file system supports neither.
class LockedFolder {
public:
    explicit LockedFolder(const QString& folder) : m_path(QFile::encodeName(folder)) {
        if (::geteuid() == 0) {
            m_immutable = SetImmutable(true);
        } else {
            ::chmod(m_path.constData(), 0555);
        }
    }
    ~LockedFolder() {
        if (m_immutable) {
            SetImmutable(false);
        }
        ::chmod(m_path.constData(), 0755);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    bool Locked() const {
        QFile probe(QFile::decodeName(m_path) + "/probe");
        if (!probe.open(QIODevice::WriteOnly)) {
            return true;
        }
        probe.remove();
        return false;
    }

private:
    bool SetImmutable(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        const bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                          (flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL,
                           ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
        if (fd >= 0) {
            ::close(fd);
        }
        return done;
    }

    QByteArray m_path;
    bool m_immutable = false;
};

// Limits the size of files the process writes, for the test's lifetime.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

TEST_F(DocumentTest, WritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    const QString path = testutil::WriteFile(dir, "locked/a.as", "old\r\n");
    const LockedFolder lock(QFileInfo(path).path());
    if (!lock.Locked()) {
        GTEST_SKIP() << "no way to lock a folder here";
    }
    QString error;
    view.setPlainText("new\ntext");
    ASSERT_TRUE(doc.OnSaveDocument(path, &error)) << error.toStdString();
    EXPECT_EQ(testutil::ReadFile(path), "new\r\ntext");
    EXPECT_FALSE(doc.IsModified());

    // A write that fails half way puts the old bytes back.
    view.setPlainText(QString(100, QLatin1Char('x')));
    {
        const FileSizeLimit limit(32);
        EXPECT_FALSE(doc.OnSaveDocument(path, &error));
    }
    EXPECT_TRUE(error.contains(QString::fromUtf8("書き込み中に予期しないｴﾗｰ")));
    EXPECT_EQ(testutil::ReadFile(path), "new\r\ntext");
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"a.as"});
}

}  // namespace
