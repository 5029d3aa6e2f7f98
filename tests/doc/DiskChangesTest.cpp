// What counts as a change of the script on disk: real files changed by
// another process (a shell), looked at as the editor looks at them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QTemporaryDir>

#include "doc/DiskChanges.h"
#include "support/TestUtil.h"

namespace {

using State = DiskChanges::State;

// Runs `script` in `dir` with sh, as another program would change the file.
void Shell(const QTemporaryDir& dir, const QString& script) {
    QProcess sh;
    sh.setWorkingDirectory(dir.path());
    sh.start("sh", {"-c", script});
    ASSERT_TRUE(sh.waitForFinished()) << script.toStdString();
    ASSERT_EQ(sh.exitCode(), 0) << script.toStdString();
}

// A tracker that knows `a.as` as loaded with "one\n".
struct Loaded {
    Loaded() {
        path = testutil::WriteFile(dir, "a.as", "one\n");
        changes.SetKnown(path, "one\n", FileStamp::Of(path));
    }
    QTemporaryDir dir;
    QString path;
    DiskChanges changes;
};

}  // namespace

TEST(DiskChanges, OnlyNewBytesOrAGoneFileCount) {
    const struct {
        const char* change;
        State state;
        bool differs;  // a save would ask
        bool rootCanSee = true;
    } cases[] = {
        {"printf 'two\\n' >> a.as", State::Changed, true},
        {"printf 'ONE\\n' | dd of=a.as conv=notrunc status=none", State::Changed, true},
        {"printf 'new\\n' > t && mv t a.as", State::Changed, true},
        {"printf 'one\\n' > t && mv t a.as", State::Unchanged, false},
        {"printf 'one\\n' > a.as", State::Unchanged, false},
        {"touch -d '2001-01-01' a.as", State::Unchanged, false},
        {"chmod 644 a.as", State::Unchanged, false},
        {"rm a.as", State::Gone, false},
        {"mv a.as b.as", State::Gone, false},
        {"rm a.as && mkdir a.as", State::Unreadable, true},
        {"printf 'two\\n' >> a.as && chmod 000 a.as", State::Unreadable, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        if (!c.rootCanSee && ::geteuid() == 0) {
            continue;
        }
        Loaded loaded;
        EXPECT_EQ(loaded.changes.LookAtDisk().state, State::Unchanged);
        Shell(loaded.dir, c.change);
        const DiskChanges::Look look = loaded.changes.LookAtDisk();
        EXPECT_EQ(look.state, c.state);
        EXPECT_EQ(loaded.changes.DiskDiffersFromKnown(), c.differs);
        // Told once, a change is not told again; the save still asks; the
        // loaded bytes back are no change.
        loaded.changes.Told(look);
        EXPECT_EQ(loaded.changes.LookAtDisk().state, State::Unchanged);
        EXPECT_EQ(loaded.changes.DiskDiffersFromKnown(), c.differs);
        Shell(loaded.dir, "rm -rf a.as && printf 'one\\n' > a.as");
        EXPECT_EQ(loaded.changes.LookAtDisk().state, State::Unchanged);
        EXPECT_FALSE(loaded.changes.DiskDiffersFromKnown());
    }
}
