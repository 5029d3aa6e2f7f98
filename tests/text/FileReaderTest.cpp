// Reading files with guards: only regular files, never blocking, limited in
// size, allocation failure reported.
#include <sys/resource.h>
#include "support/QuillTest.h"

#include "text/FileReader.h"

using fileread::ReadStatus;

namespace {

class FileReader : public ::testing::Test {
protected:
    QString Fifo() {
        const QString path = dir.filePath("pipe.as");
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }
    // A file of `size` bytes that takes no disk space.
    QString Sparse(qint64 size) {
        const QString path = dir.filePath("sparse.as");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(FileReader, AcceptsOnlyRegularFilesWithinTheLimit) {
    const QString regular = testutil::WriteFile(dir, "a.as", "mes\r\n");
    const QString link = dir.filePath("zero.as");
    ASSERT_TRUE(QFile::link("/dev/zero", link));
    const QString fileLink = dir.filePath("link.as");
    ASSERT_TRUE(QFile::link(regular, fileLink));
    const struct {
        QString path;
        qint64 limit;
        bool noFollow;
        ReadStatus status;
    } cases[] = {
        {regular, fileread::kMaxFileBytes, false, ReadStatus::Ok},
        {regular, 5, false, ReadStatus::Ok},  // exactly at the limit
        {regular, 4, false, ReadStatus::TooLarge},
        {fileLink, fileread::kMaxFileBytes, false, ReadStatus::Ok},
        {fileLink, fileread::kMaxFileBytes, true, ReadStatus::NotRegular},
        {dir.filePath("missing.as"), fileread::kMaxFileBytes, false, ReadStatus::NotFound},
        {dir.filePath("a.as/x"), fileread::kMaxFileBytes, false, ReadStatus::NotFound},
        {QString(), fileread::kMaxFileBytes, false, ReadStatus::NotFound},
        {dir.path(), fileread::kMaxFileBytes, false, ReadStatus::NotRegular},
        {"/dev/zero", fileread::kMaxFileBytes, false, ReadStatus::NotRegular},
        {link, fileread::kMaxFileBytes, false, ReadStatus::NotRegular},
        {Fifo(), fileread::kMaxFileBytes, false, ReadStatus::NotRegular},
        // 2.5 GB that would not fit under a small memory limit.
        {Sparse(qint64(2560) * 1024 * 1024), fileread::kMaxFileBytes, false, ReadStatus::TooLarge},
    };
    for (const auto& c : cases) {
        QElapsedTimer timer;
        timer.start();
        const fileread::ReadResult r = fileread::ReadFile(c.path, c.limit, c.noFollow);
        EXPECT_EQ(r.status, c.status) << c.path.toStdString();
        EXPECT_EQ(r.bytes, c.status == ReadStatus::Ok ? QByteArray("mes\r\n") : QByteArray())
            << c.path.toStdString();
        EXPECT_LT(timer.elapsed(), 2000) << c.path.toStdString();
    }
    // A file whose size the system does not tell ahead is read whole.
    QFile proc("/proc/version");
    if (proc.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(fileread::ReadFile(proc.fileName()).bytes, proc.readAll());
    }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Memory too small for the file: the read reports it instead of aborting.
// Runs in a child process, whose address space is limited.
// Leaves the process 64 MB more address space than it maps already, reads
// `path` and exits with 0 when the read reported the lack of memory.
[[noreturn]] void ReadWithLittleMemory(const QString& path) {
    QFile statm("/proc/self/statm");
    statm.open(QIODevice::ReadOnly);
    const rlim_t mapped =
        statm.readAll().split(' ').value(0).toULongLong() * rlim_t(::sysconf(_SC_PAGESIZE));
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = mapped + (rlim_t(64) << 20);
    ::setrlimit(RLIMIT_AS, &limit);
    const fileread::ReadResult r = fileread::ReadFile(path);
    std::_Exit(r.status == ReadStatus::OutOfMemory ? 0 : 1);
}

TEST_F(FileReader, MemoryTooSmallForTheFileIsReported) {
    const QString path = Sparse(fileread::kMaxFileBytes);
    EXPECT_EXIT(ReadWithLittleMemory(path), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
