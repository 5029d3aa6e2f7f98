// The start-up question about recovery copies: what it lists, which copy
// the window takes, and restoring or discarding them.
#include "support/QuillTest.h"

#include "app/CRecoveryOffer.h"
#include "app/RecoveryQuestion.h"
#include "doc/CRecoveryKeeper.h"
#include "doc/DiskChanges.h"
#include "doc/RecoveryStore.h"

using namespace recoveryquestion;

namespace {

RecoveryStore::Orphan Readable(const QString& scriptPath, const QDateTime& written,
                               const KnownContent& disk = {}) {
    RecoveryCopy copy;
    copy.disk = disk;
    copy.scriptPath = scriptPath;
    copy.written = written;
    copy.body = "mes \"x\"\r\n";
    return {QStringLiteral("/state/%1.rec").arg(scriptPath.size()), copy, QString(), nullptr};
}

RecoveryStore::Orphan Damaged() {
    return {"/state/bad.rec", std::nullopt, "broken", nullptr};
}

}  // namespace

TEST(RecoveryQuestion, DiskStateAndTheCopyThisWindowTakes) {
    QTemporaryDir dir;
    const QString script = testutil::WriteFile(dir, "a.as", "x");
    const QDateTime mtime = QFileInfo(script).lastModified().toUTC();
    const KnownContent loaded{FileStamp::Of(script), DiskChanges::HashOf("x")};
    KnownContent older{loaded.stamp, DiskChanges::HashOf("y")};
    older.stamp.mtimeNs -= 1;
    struct Case {
        QString path;
        QDateTime written;
        DiskState state;
        KnownContent disk = {};
    } cases[] = {
        // A copy that knows the file's content goes by the content, not the time.
        {script, mtime.addSecs(-5), DiskState::Unchanged, loaded},
        {script, mtime.addSecs(5), DiskState::ChangedAfterCopy, older},
        {dir.filePath("gone.as"), mtime, DiskState::Missing, loaded},
        {QString(), mtime, DiskState::Untitled},
        {script, mtime.addSecs(5), DiskState::Unchanged},
        {script, mtime.addSecs(-5), DiskState::ChangedAfterCopy},
        {dir.filePath("gone.as"), mtime, DiskState::Missing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DiskStateOf(*Readable(c.path, c.written, c.disk).copy), c.state)
            << c.path.toStdString();
    }
    const QString text =
        QuestionText({Readable(script, mtime.addSecs(-5)), Damaged(), Readable(QString(), mtime)});
    EXPECT_TRUE(text.contains("a.as (" + script + ")"));
    EXPECT_TRUE(text.contains("無題"));
    EXPECT_TRUE(text.contains("変更されています"));
    EXPECT_TRUE(QuestionText({Damaged()}).isEmpty());
    EXPECT_TRUE(UnreadableText({Damaged()}).contains("/state/bad.rec"));

    const QList<RecoveryStore::Orphan> orphans = {Damaged(), Readable("/b.as", mtime),
                                                  Readable("/a.as", mtime)};
    EXPECT_EQ(CopyForThisWindow(orphans, "/a.as", false), 2);
    EXPECT_EQ(CopyForThisWindow(orphans, "/other.as", false), kNoCopy);
    EXPECT_EQ(CopyForThisWindow(orphans, QString(), true), 1);
    EXPECT_EQ(CopyForThisWindow({Damaged()}, QString(), true), kNoCopy);
}

class RecoveryOfferTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        folder = RecoveryStore::DefaultFolder();
        QDir().mkpath(folder);
        script = testutil::WriteFile(m_exeDir, "s.as", "stop\r\n");
        first = Leave("dead-1", script, "first\r\nstop\r\n");
        second = Leave("dead-2", QString(), "second");
        damaged = folder + "/dead-3.rec";
        QFile(damaged).open(QIODevice::WriteOnly);
    }
    void TearDown() override {
        AppFixture::TearDown();
        // Left copies would be offered to the next test's editor.
        QDir(folder).removeRecursively();
    }
    QString Leave(const QString& id, const QString& path, const QByteArray& body) {
        RecoveryCopy copy;
        copy.scriptPath = path;
        copy.written = QDateTime::currentDateTimeUtc();
        copy.body = body;
        const QString file = folder + "/" + id + ".rec";
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(FormatRecoveryCopy(copy));
        return file;
    }
    // Answers the boxes that open, one answer each: the label a button's
    // text starts with, "Esc", "Return" or "close" (the close box).
    // Returns the first box's text.
    QString Offer(QStringList answers) {
        QString shown;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || answers.isEmpty()) {
                return;
            }
            shown = shown.isEmpty() ? box->text() : shown;
            const QString answer = answers.takeFirst();
            if (answer == "Esc" || answer == "Return") {
                QTest::keyClick(box, answer == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            } else if (answer == "close") {
                box->close();
            }
            for (QAbstractButton* b : box->buttons()) {
                if (b->text().startsWith(answer)) {
                    b->click();
                }
            }
        });
        answerer.start(10);
        RecoveryStore store(folder);
        CRecoveryOffer offer(&store, Doc(), App()->RecoveryKeeper(), Frame());
        offer.SetLauncherForTesting([this](const QString& path) {
            launched.append(path);
            return true;
        });
        offer.OfferAtStartUp();
        EXPECT_TRUE(answers.isEmpty()) << answers.join(' ').toStdString();
        return shown;
    }

    QString folder, script, first, second, damaged;
    QStringList launched;
};

TEST_F(RecoveryOfferTest, RestoreTakesOneCopyHereAndStartsAnEditorForEachOther) {
    const QString shown = Offer({"Return"});  // 復元 is the default
    EXPECT_TRUE(shown.contains("s.as") && shown.contains("無題") && shown.contains(damaged));
    EXPECT_EQ(View()->toPlainText(), "first\nstop\n");
    EXPECT_EQ(Doc()->GetPathName(), script);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(testutil::ReadFile(script), "stop\r\n");
    EXPECT_EQ(launched, QStringList{second});
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_TRUE(QFile::exists(damaged));

    // Saving writes exactly the recovered bytes.
    ASSERT_TRUE(Doc()->DoFileSave());
    EXPECT_EQ(testutil::ReadFile(script), "first\r\nstop\r\n");
}

TEST_F(RecoveryOfferTest, DiscardIsConfirmedAndAnythingElseKeepsTheCopiesForNextTime) {
    const struct {
        QStringList answers;
        bool discarded;
    } cases[] = {
        {{"Esc"}, false},
        {{"close"}, false},
        {{"後で"}, false},
        // No to the confirmation asks the first question again.
        {{"破棄", "いいえ", "Esc"}, false},
        {{"破棄", "Esc", "破棄", "はい"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.join(' ').toStdString());
        Offer(c.answers);
        EXPECT_TRUE(View()->toPlainText().isEmpty());
        EXPECT_TRUE(launched.isEmpty());
        EXPECT_EQ(QFile::exists(first) + QFile::exists(second), c.discarded ? 0 : 2);
        EXPECT_TRUE(QFile::exists(damaged));
    }
}

TEST_F(RecoveryOfferTest, AnEditorStartedForOneCopyRestoresJustThatOne) {
    RecoveryStore store(folder);
    CRecoveryOffer offer(&store, Doc(), App()->RecoveryKeeper(), Frame());
    offer.RestoreNamed(second);
    EXPECT_EQ(View()->toPlainText(), "second");
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_TRUE(QFile::exists(first));
}
