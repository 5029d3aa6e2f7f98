#include "support/QuillTest.h"

#include "qfo/QfoStore.h"

namespace {

// The executable lives in <tmp>/bin beside its word list, so the store is
// <tmp>/bin/QFO/ and <tmp> and <tmp>/bin are "outside" folders a bad name
// could reach.
class QfoStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_root.path()).mkpath("bin/QFO"));
        testutil::WriteFile(m_root, "bin/QUILL.DAT", "");
        SetExecutablePathForTesting(m_root.filePath("bin/quill"));
    }
    void TearDown() override { SetExecutablePathForTesting(QString()); }

    QString Store() const { return m_root.filePath("bin/QFO/"); }
    QString PutEntry(const QString& name, const QByteArray& bytes) {
        return testutil::WriteFile(m_root, "bin/QFO/" + name, bytes);
    }
    QStringList Items(const QString& folder) const {
        return QDir(m_root.filePath(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_root;
};

TEST_F(QfoStoreTest, MissingStoreFolderBesideTheExecutableIsNeverCreated) {
    ASSERT_TRUE(QDir(Store()).removeRecursively());
    EXPECT_TRUE(QfoListEntries().isEmpty());
    EXPECT_FALSE(QfoWriteEntry("a", "/x"));
    EXPECT_FALSE(QDir(Store()).exists());
}

TEST_F(QfoStoreTest, ListsEveryItemSortedButSubdirectoriesAreNoEntries) {
    EXPECT_TRUE(QfoListEntries().isEmpty());
    PutEntry("beta", "b");
    PutEntry("Alpha", "a");
    PutEntry(".hidden", "h");
    PutEntry("gamma.as", "g");
    ASSERT_TRUE(QDir(Store()).mkdir("Delta"));
    EXPECT_EQ(QfoListEntries(), QStringList({".hidden", "Alpha", "beta", "Delta", "gamma.as"}));
    EXPECT_FALSE(QfoReadEntry("Delta").has_value());
    EXPECT_FALSE(QfoRemoveEntry("Delta"));
    EXPECT_FALSE(QfoWriteEntry("Delta", "/x"));
    EXPECT_TRUE(QDir(Store() + "Delta").exists());
}

TEST_F(QfoStoreTest, ReadsTheWholeContentWithLineBreaksAsCrLf) {
    PutEntry("lf", "/a/b.as\n");
    PutEntry("crlf", "/a/b.as\r\nmore\r\n");
    PutEntry("mixed", "x\ny\r\nz\rw");
    PutEntry("utf8", "/home/u/スクリプト.as");
    EXPECT_EQ(QfoReadEntry("lf"), QString("/a/b.as\r\n"));
    EXPECT_EQ(QfoReadEntry("crlf"), QString("/a/b.as\r\nmore\r\n"));
    // A lone CR stays as it is.
    EXPECT_EQ(QfoReadEntry("mixed"), QString("x\r\ny\r\nz\rw"));
    EXPECT_EQ(QfoReadEntry("utf8"), QString("/home/u/スクリプト.as"));
    EXPECT_FALSE(QfoReadEntry("missing").has_value());
}

TEST_F(QfoStoreTest, WriteOverwriteAndRemove) {
    ASSERT_TRUE(QfoWriteEntry("日本語名", "/home/u/ゲーム.as"));
    EXPECT_EQ(testutil::ReadFile(Store() + "日本語名"), QString("/home/u/ゲーム.as").toUtf8());
    ASSERT_TRUE(QfoWriteEntry("rel", " ../x y.as "));  // unchanged, no line end
    EXPECT_EQ(testutil::ReadFile(Store() + "rel"), " ../x y.as ");
    ASSERT_TRUE(QfoWriteEntry("rel", ""));
    EXPECT_EQ(QfoReadEntry("rel"), QString(""));
    EXPECT_EQ(QfoListEntries(), QStringList({"rel", "日本語名"}));
    EXPECT_FALSE(QfoRemoveEntry(""));
    EXPECT_TRUE(QfoRemoveEntry("rel"));
    EXPECT_FALSE(QfoRemoveEntry("rel"));
    EXPECT_EQ(QfoListEntries(), QStringList({"日本語名"}));
}

TEST_F(QfoStoreTest, NamesThatAreNotPlainFileNamesNeverReachOutsideTheStore) {
    const QString outside = testutil::WriteFile(m_root, "bin/secret", "keep me");
    for (const QString& bad :
         {QString(), QString("."), QString(".."), QString("a/b"), QString("../secret"),
          QString("../../.bashrc"), QString("/tmp/abs"), QString("x/"), QString("a") + QChar(0),
          QString(256, 'n'), QString(86, QChar(0x3042))}) {
        EXPECT_FALSE(QfoIsValidName(bad)) << bad.toStdString();
        EXPECT_FALSE(QfoWriteEntry(bad, "/pwned")) << bad.toStdString();
        EXPECT_FALSE(QfoReadEntry(bad).has_value());
        EXPECT_FALSE(QfoRemoveEntry(bad));
        // As the old name of a rename it is never removed either.
        EXPECT_TRUE(QfoReplaceEntry(bad, "x", "p"));
        QfoRemoveEntry("x");
    }
    // 255 bytes is still a file name; three-byte characters count as bytes.
    EXPECT_TRUE(QfoWriteEntry(QString(255, 'n'), "/ok"));
    EXPECT_TRUE(QfoIsValidName(QString(85, QChar(0x3042))));
    EXPECT_TRUE(QfoIsValidName("..."));
    EXPECT_TRUE(QfoIsValidName(".x"));
    // Renaming an entry to a name outside the store neither writes it nor
    // loses the entry.
    EXPECT_FALSE(QfoReplaceEntry(QString(255, 'n'), "../secret", "pwned"));
    EXPECT_EQ(testutil::ReadFile(outside), "keep me");
    // Nothing but the one good entry was written anywhere.
    EXPECT_EQ(QfoListEntries(), QStringList({QString(255, 'n')}));
    EXPECT_EQ(Items("."), QStringList({"bin"}));
    EXPECT_EQ(Items("bin"), QStringList({"QFO", "QUILL.DAT", "secret"}));
}

TEST_F(QfoStoreTest, SymbolicLinksAreNeverFollowed) {
    const QString target = testutil::WriteFile(m_root, "target", "private");
    ASSERT_TRUE(QFile::link(target, Store() + "link"));
    EXPECT_EQ(QfoListEntries(), QStringList({"link"}));
    EXPECT_FALSE(QfoReadEntry("link").has_value());
    EXPECT_FALSE(QfoWriteEntry("link", "pwned"));
    EXPECT_EQ(testutil::ReadFile(target), "private");
    EXPECT_TRUE(QfoRemoveEntry("link"));
    EXPECT_EQ(testutil::ReadFile(target), "private");
}

TEST_F(QfoStoreTest, EntryPathLongerThanThePlatformAllowsIsRefused) {
    // A store folder "/ddd.../quill/QFO/" in the user's data folder so deep
    // that a one-byte name makes the longest path the platform allows
    // (PATH_MAX counts the terminating zero).
    SetExecutablePathForTesting(m_root.filePath("usr/bin/quill"));
    testutil::ScopedEnv home("XDG_DATA_HOME", "/" + QString(PATH_MAX - 14, 'd'));
    EXPECT_EQ(QfoEntryPath("a").size(), PATH_MAX - 1);
    EXPECT_TRUE(QfoIsValidName("a"));
    EXPECT_FALSE(QfoIsValidName("ab"));
    EXPECT_FALSE(QfoWriteEntry("ab", "/x"));
}

TEST_F(QfoStoreTest, ReplaceWritesTheNewEntryBeforeRemovingTheOld) {
    PutEntry("old", "/o.as");
    PutEntry("other", "/other.as");
    ASSERT_TRUE(QfoReplaceEntry("old", "new", "/n.as"));
    EXPECT_EQ(QfoListEntries(), QStringList({"new", "other"}));
    EXPECT_EQ(QfoReadEntry("new"), QString("/n.as"));
    // Same name: the entry is rewritten, not lost.
    ASSERT_TRUE(QfoReplaceEntry("new", "new", "/n2.as"));
    EXPECT_EQ(QfoReadEntry("new"), QString("/n2.as"));
    // Onto another existing entry: one entry with the edited path.
    ASSERT_TRUE(QfoReplaceEntry("new", "other", "/edited.as"));
    EXPECT_EQ(QfoListEntries(), QStringList({"other"}));
    EXPECT_EQ(QfoReadEntry("other"), QString("/edited.as"));
    // A hard link names the same file: renaming onto it removes nothing.
    ASSERT_EQ(::link(QFile::encodeName(Store() + "other").constData(),
                     QFile::encodeName(Store() + "hard").constData()),
              0);
    ASSERT_TRUE(QfoReplaceEntry("other", "hard", "/h.as"));
    EXPECT_EQ(QfoReadEntry("other"), QString("/h.as"));
    // A failed replace keeps the old entry.
    ASSERT_TRUE(QDir(Store()).mkdir("dir"));
    for (const QString& bad : {QString(), QString("a/b"), QString("dir")}) {
        EXPECT_FALSE(QfoReplaceEntry("other", bad, "/n.as")) << bad.toStdString();
    }
    EXPECT_EQ(QfoReadEntry("other"), QString("/h.as"));
}

TEST_F(QfoStoreTest, FileExistsForFilesAndFoldersOnly) {
    const QString file = testutil::WriteFile(m_root, "f.as", "x");
    EXPECT_TRUE(QfoFileExists(file));
    EXPECT_TRUE(QfoFileExists(m_root.path()));
    EXPECT_FALSE(QfoFileExists(file + "\r\n"));
    EXPECT_FALSE(QfoFileExists(m_root.filePath("missing.as")));
    EXPECT_FALSE(QfoFileExists(""));
}

// An installed QUILL: nothing beside the executable, the store in the user's
// data folder.
TEST_F(QfoStoreTest, InstalledStoreIsCreatedByTheFirstRegistrationOnly) {
    SetExecutablePathForTesting(m_root.filePath("usr/bin/quill"));
    testutil::ScopedEnv home("XDG_DATA_HOME", m_root.filePath("home/.local/share"));
    const QString store = m_root.filePath("home/.local/share/quill/QFO/");
    EXPECT_EQ(QfoStorePath(), store);
    EXPECT_TRUE(QfoListEntries().isEmpty());
    EXPECT_FALSE(QfoRemoveEntry("a"));
    EXPECT_FALSE(QfoWriteEntry("../a", "/x.as"));
    EXPECT_FALSE(QDir(m_root.filePath("home")).exists());
    EXPECT_TRUE(QfoWriteEntry("a", "/x.as"));
    EXPECT_EQ(testutil::ReadFile(store + "a"), "/x.as");
    EXPECT_EQ(QfoListEntries(), QStringList({"a"}));
    // A data folder that cannot be made refuses the registration.
    testutil::WriteFile(m_root, "file", "");
    testutil::ScopedEnv blocked("XDG_DATA_HOME", m_root.filePath("file/share"));
    EXPECT_FALSE(QfoWriteEntry("b", "/y.as"));
    EXPECT_TRUE(QfoListEntries().isEmpty());
}

}  // namespace
