#include "text/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <new>

namespace fileread {
namespace {

// Closes the descriptor when the read ends, however it ends.
class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() { ::close(m_fd); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int m_fd;
};

// Reads up to `limit` + 1 bytes, so that a file that grew past the limit
// after fstat() is still caught.
ReadStatus ReadAll(int fd, qint64 expected, qint64 limit, QByteArray* out) {
    constexpr qint64 kChunk = 1 << 20;
    qint64 capacity = qMin(expected, limit) + 1;
    out->resize(capacity);
    qint64 used = 0;
    for (;;) {
        if (used == capacity) {
            if (used > limit) {
                return ReadStatus::TooLarge;
            }
            capacity = qMin(used + kChunk, limit + 1);
            out->resize(capacity);
        }
        const ssize_t n = ::read(fd, out->data() + used, size_t(capacity - used));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadStatus::ReadFailed;
        }
        if (n == 0) {
            break;
        }
        used += n;
    }
    if (used > limit) {
        return ReadStatus::TooLarge;
    }
    out->truncate(used);
    return ReadStatus::Ok;
}

}  // namespace

ReadResult ReadFile(const QString& path, qint64 maxBytes, bool noFollow) {
    ReadResult result;
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty() || name.contains('\0')) {
        result.status = ReadStatus::NotFound;
        return result;
    }
    // O_NONBLOCK: opening a named pipe with no writer would otherwise wait
    // for one; what was opened is checked right after.
    const int fd =
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0));
    if (fd < 0) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::NotFound
                        : errno == ELOOP                      ? ReadStatus::NotRegular
                                                              : ReadStatus::ReadFailed;
        return result;
    }
    const FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.status = ReadStatus::ReadFailed;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = ReadStatus::NotRegular;
        return result;
    }
    if (st.st_size > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    try {
        result.status = ReadAll(fd, st.st_size, maxBytes, &result.bytes);
    } catch (const std::bad_alloc&) {
        result.status = ReadStatus::OutOfMemory;
    }
    if (!result.ok()) {
        result.bytes = QByteArray();
    }
    return result;
}

}  // namespace fileread
