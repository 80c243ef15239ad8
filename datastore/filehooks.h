#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The file operations of the table layer, replaceable so that tests can make
// a chosen call fail and the fuzz target can read from memory. Calls return
// -1 (or false) on failure and leave the reason in errno.
struct FileHooks
{
    enum class Mode { Existing, CreateOrExisting };
    enum class Lock { Shared, Exclusive, Unlock };

    std::function<int(const std::string &path, Mode mode)> open;
    std::function<long long(int handle, void *buffer, std::size_t size, std::uint64_t offset)> read;
    std::function<long long(int handle, const void *buffer, std::size_t size, std::uint64_t offset)> write;
    std::function<long long(int handle)> size;
    std::function<bool(int handle, std::uint64_t size)> truncate;
    // Never waits: false with EAGAIN when another open of the file holds a
    // conflicting lock on the range.
    std::function<bool(int handle, Lock lock, std::uint64_t start, std::uint64_t length)> lock;
    std::function<void(int handle)> close;
    std::function<bool(const std::string &path)> exists;
    std::function<std::string(int error)> errorText;
};

// The real files, locked with open-file-description locks so that closing
// some other descriptor of the same file never drops a lock.
FileHooks posixFileHooks();
