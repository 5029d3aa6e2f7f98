// Recovery copies: the file format, live and dead editors, the copy kept
// while the text is modified, and restoring it byte for byte.
#include "support/QuillTest.h"

#include "doc/CRecoveryKeeper.h"
#include "doc/RecoveryStore.h"

using namespace Qt::StringLiterals;

namespace {

RecoveryCopy SampleCopy(const QByteArray& body, const QString& path) {
    RecoveryCopy copy;
    copy.scriptPath = path;
    copy.written = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
    copy.pid = 4242;
    copy.body = body;
    return copy;
}

// The pid of a process that has ended.
qint64 DeadPid() {
    QProcess p;
    p.start("true");
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

// A copy as a killed editor leaves it: the file and a lock naming a dead process.
QString LeaveCopy(const QString& folder, const QString& id, const QByteArray& fileBytes) {
    QDir().mkpath(folder);
    QFile lock(folder + "/" + id + ".lock");
    lock.open(QIODevice::WriteOnly);
    lock.write(QByteArray::number(DeadPid()) + "\nquill\n\n");
    QFile copy(folder + "/" + id + ".rec");
    copy.open(QIODevice::WriteOnly);
    copy.write(fileBytes);
    return copy.fileName();
}

}  // namespace

TEST(RecoveryCopyFormat, ReadsBackWhatItWritesAndRejectsDamage) {
    for (const auto& [body, path] : {
             std::pair{QByteArray("mes \"\x82\xa0\"\r\n\x81"), QString("/tmp/a b/スクリプト.as")},
             std::pair{QByteArray(), QString()},
             std::pair{QByteArray("x\n\npath: y\n"), QString("/odd\nname: x.as")},
         }) {
        QString why;
        const auto copy = ParseRecoveryCopy(FormatRecoveryCopy(SampleCopy(body, path)), &why);
        ASSERT_TRUE(copy) << why.toStdString();
        EXPECT_EQ(copy->body, body);
        EXPECT_EQ(copy->scriptPath, path);
        EXPECT_EQ(copy->written, SampleCopy(body, path).written);
        EXPECT_EQ(copy->pid, 4242);
        EXPECT_FALSE(copy->disk.IsSet());
    }
    // The file the text was based on, when known, comes back whole.
    RecoveryCopy based = SampleCopy("x", "/x.as");
    based.disk = {FileStamp{true, 1ULL << 63, 2, 3, 4, 5}, DiskChanges::HashOf("x")};
    QString why;
    const auto copy = ParseRecoveryCopy(FormatRecoveryCopy(based), &why);
    ASSERT_TRUE(copy) << why.toStdString();
    EXPECT_EQ(copy->disk.stamp, based.disk.stamp);
    EXPECT_EQ(copy->disk.hash, based.disk.hash);

    const QByteArray good = FormatRecoveryCopy(SampleCopy("abc\r\n", "/x.as"));
    QByteArray noEncoding = good;
    noEncoding.replace("encoding: shift_jis\n", "");
    QByteArray badTime = good;
    badTime.replace("2026-01-02", "20xx-01-02");
    for (const QByteArray& damaged : {good.chopped(1), good + "x", good.mid(1), noEncoding, badTime,
                                      QByteArray(), QByteArray(100, '\0')}) {
        QString why;
        EXPECT_FALSE(ParseRecoveryCopy(damaged, &why));
        EXPECT_FALSE(why.isEmpty());
    }
    // A header of up to 64 KiB is read; a longer one is no copy's.
    const qsizetype base = FormatRecoveryCopy(SampleCopy("x", "/")).indexOf("\n\n");
    for (const qsizetype size : {qsizetype(64 * 1024), qsizetype(64 * 1024 + 1)}) {
        const QString path = "/" + QString(size - base, u'p');
        QString why;
        EXPECT_EQ(ParseRecoveryCopy(FormatRecoveryCopy(SampleCopy("x", path)), &why).has_value(),
                  size == 64 * 1024);
    }
}

TEST(RecoveryStoreLocks, TellLiveEditorsFromGoneOnesAndKeepDamagedCopies) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("state/QUILL/recovery");
    RecoveryStore live(folder);
    QString error;
    ASSERT_TRUE(live.WriteOwn(SampleCopy("live", "/live.as"), &error)) << error.toStdString();

    const QString dead = LeaveCopy(folder, "1-1", FormatRecoveryCopy(SampleCopy("dead", "/d.as")));
    const QString damaged = LeaveCopy(folder, "2-2", "QUILL recovery 1\npath: /x\n");
    // A copy whose lock is gone counts as dead too.
    const QString unlocked = LeaveCopy(folder, "3-3", FormatRecoveryCopy(SampleCopy("u", "")));
    QFile::remove(folder + "/3-3.lock");
    LeaveCopy(folder, "4-4", "");
    QFile::remove(folder + "/4-4.rec");  // a lock without a copy is cleared

    RecoveryStore starting(folder);
    ASSERT_TRUE(starting.Claim(&error));
    QList<RecoveryStore::Orphan> orphans = starting.ClaimOrphans();
    ASSERT_EQ(orphans.size(), 3);
    EXPECT_EQ(orphans[0].filePath, dead);
    EXPECT_EQ(orphans[0].copy->body, "dead");
    EXPECT_EQ(orphans[1].filePath, damaged);
    EXPECT_FALSE(orphans[1].copy);
    EXPECT_FALSE(orphans[1].error.isEmpty());
    EXPECT_TRUE(orphans[2].copy->IsUntitled());
    EXPECT_FALSE(QFile::exists(folder + "/4-4.lock"));

    // While one editor holds them, a third one sees none.
    EXPECT_TRUE(RecoveryStore(folder).ClaimOrphans().isEmpty());

    for (RecoveryStore::Orphan& orphan : orphans) {
        RecoveryStore::Discard(orphan);
    }
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_FALSE(QFile::exists(unlocked));
    EXPECT_TRUE(QFile::exists(damaged));  // never deleted unread
    EXPECT_TRUE(QFile::exists(live.OwnCopyPath()));
    ASSERT_EQ(starting.ClaimOrphans().size(), 1);  // the damaged one, offered again
}

TEST(RecoveryStoreLocks, UnwritableFolderIsReported) {
    QTemporaryDir dir;
    const QString file = testutil::WriteFile(dir, "plain-file", "x");
    RecoveryStore store(file + "/recovery");
    QString error;
    EXPECT_FALSE(store.WriteOwn(SampleCopy("x", ""), &error));
    EXPECT_TRUE(error.contains(file));
}

class RecoveryKeeperTest : public ::testing::Test {
protected:
    RecoveryKeeperTest() : store(dir.filePath("recovery")) {
        doc.SetView(&view);
        doc.OnNewDocument();
        keeper = std::make_unique<CRecoveryKeeper>(&doc, view.document(), &store);
    }

    void Open(const QByteArray& bytes) {
        QString error;
        ASSERT_TRUE(doc.OnOpenDocument(testutil::WriteFile(dir, "s.as", bytes), &error));
    }
    void Type(const QString& text) { testutil::Commit(&view, text); }
    RecoveryCopy OwnCopy() {
        QString why;
        const auto copy = ParseRecoveryCopy(testutil::ReadFile(store.OwnCopyPath()), &why);
        EXPECT_TRUE(copy) << why.toStdString();
        return copy.value_or(RecoveryCopy());
    }
    // Restores the copy into a second document and saves it; returns the bytes.
    QByteArray RestoreAndSave(const RecoveryCopy& copy) {
        CQuillDoc doc2;
        CQuillView view2;
        doc2.SetView(&view2);
        doc2.RestoreDocument(copy.scriptPath, copy.Text(), copy.encoding);
        EXPECT_TRUE(doc2.IsModified());
        EXPECT_EQ(doc2.GetPathName(), copy.scriptPath);
        QString error;
        const QString out = dir.filePath("restored.as");
        EXPECT_TRUE(doc2.OnSaveDocument(out, &error)) << error.toStdString();
        return testutil::ReadFile(out);
    }

    QTemporaryDir dir;
    CQuillDoc doc;
    CQuillView view;
    RecoveryStore store;
    std::unique_ptr<CRecoveryKeeper> keeper;
};

TEST_F(RecoveryKeeperTest, CopyOnlyWhileModifiedWrittenAfterTheQuietTime) {
    Open("mes \"a\"\r\nstop\r\n");
    EXPECT_FALSE(keeper->IsPending());
    EXPECT_FALSE(keeper->WriteNow());
    EXPECT_FALSE(store.HasOwnCopy());

    Type("x");
    Type("y");
    EXPECT_TRUE(keeper->IsPending());
    QTest::qWait(CRecoveryKeeper::kQuietMs / 2);
    keeper->Flush();
    EXPECT_FALSE(store.HasOwnCopy());
    QTest::qWait(CRecoveryKeeper::kQuietMs);
    keeper->Flush();
    ASSERT_TRUE(store.HasOwnCopy());
    EXPECT_EQ(OwnCopy().body, "xymes \"a\"\r\nstop\r\n");
    EXPECT_EQ(OwnCopy().scriptPath, doc.GetPathName());

    QString error;
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName(), &error));
    keeper->Flush();
    EXPECT_FALSE(store.HasOwnCopy());
    EXPECT_FALSE(keeper->IsPending());

    // Answering No to the save prompt discards the copy too.
    Type("z");
    ASSERT_TRUE(keeper->WriteNow());
    testutil::WhenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_N); });
    EXPECT_TRUE(doc.SaveModified());
    keeper->Flush();
    EXPECT_FALSE(store.HasOwnCopy());
}

TEST_F(RecoveryKeeperTest, JapaneseTextAndBrokenBytesSurviveByteForByte) {
    // Each line keeps its own line end.
    const QByteArray broken("\x81\x20\xed\x40\xfa\x55\x80\xa0\xfd\xfe\xff\r\n\x95\x5c\n\x81\r");
    Open(broken);
    Type(u"漢字"_qs);
    ASSERT_TRUE(keeper->WriteNow());
    const RecoveryCopy copy = OwnCopy();
    EXPECT_EQ(copy.encoding, RecoveryCopy::Encoding::ShiftJis);
    const QByteArray expected = "\x8a\xbf\x8e\x9a" + broken;
    EXPECT_EQ(copy.body, expected);
}

TEST_F(RecoveryKeeperTest, Utf8ScriptIsKeptAndRestoredInItsEncoding) {
    const QByteArray script("\xef\xbb\xbf\xe3\x81\x82\r\nb\n");
    Open(script);
    Type(u"漢"_qs);
    ASSERT_TRUE(keeper->WriteNow());
    const RecoveryCopy copy = OwnCopy();
    EXPECT_EQ(copy.encoding, textenc::Encoding::Utf8Bom);
    const QByteArray expected = "\xef\xbb\xbf\xe6\xbc\xa2" + script.mid(3);
    EXPECT_EQ(copy.body, expected);
    EXPECT_EQ(RestoreAndSave(copy), expected);
}

TEST_F(RecoveryKeeperTest, TextShiftJisCannotHoldIsKeptInUtf8) {
    Open("a\nb\n");
    Type(u"\u00A5€"_qs);
    ASSERT_TRUE(keeper->WriteNow());
    const RecoveryCopy copy = OwnCopy();
    EXPECT_EQ(copy.encoding, RecoveryCopy::Encoding::Utf8);
    EXPECT_EQ(copy.Text(), u"\u00A5€a\nb\n"_qs);
}
