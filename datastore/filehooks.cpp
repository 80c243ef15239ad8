#include "filehooks.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int openFile(const std::string &path, FileHooks::Mode mode)
{
    int flags = O_RDWR | O_CLOEXEC;
    if (mode == FileHooks::Mode::CreateOrExisting)
        flags |= O_CREAT;
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

long long readAt(int fd, void *buffer, std::size_t size, std::uint64_t offset)
{
    ssize_t n;
    do {
        n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

long long writeAt(int fd, const void *buffer, std::size_t size, std::uint64_t offset)
{
    ssize_t n;
    do {
        n = ::pwrite(fd, buffer, size, static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

long long fileSize(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return -1;
    return st.st_size;
}

bool truncateFile(int fd, std::uint64_t size)
{
    return ::ftruncate(fd, static_cast<off_t>(size)) == 0;
}

bool lockRange(int fd, FileHooks::Lock lock, std::uint64_t start, std::uint64_t length)
{
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = lock == FileHooks::Lock::Shared ? F_RDLCK : lock == FileHooks::Lock::Exclusive ? F_WRLCK : F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(start);
    fl.l_len = static_cast<off_t>(length);
    // l_pid must be 0 for open-file-description locks.
    fl.l_pid = 0;
    int rc;
    do {
        rc = ::fcntl(fd, F_OFD_SETLK, &fl);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0 && errno == EACCES)
        errno = EAGAIN;
    return rc == 0;
}

void closeFile(int fd)
{
    ::close(fd);
}

bool fileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string errorText(int error)
{
    char buffer[256];
    // The GNU strerror_r may return a static string instead of filling buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace

FileHooks posixFileHooks()
{
    return FileHooks{openFile, readAt, writeAt, fileSize, truncateFile, lockRange, closeFile, fileExists, errorText};
}
