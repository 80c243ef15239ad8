#include "memoryfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

FileHooks memoryFile(std::vector<unsigned char> &file, int &writes)
{
    FileHooks hooks;
    hooks.open = [](const std::string &, FileHooks::Mode) { return 3; };
    hooks.read = [&file](int, void *buffer, std::size_t size, std::uint64_t offset) -> long long {
        if (offset >= file.size())
            return 0;
        const std::size_t n = std::min<std::size_t>(size, file.size() - offset);
        std::memcpy(buffer, file.data() + offset, n);
        return static_cast<long long>(n);
    };
    hooks.write = [&file, &writes](int, const void *buffer, std::size_t size, std::uint64_t offset) -> long long {
        ++writes;
        if (offset + size > (1u << 24)) {
            errno = EFBIG;
            return -1;
        }
        if (file.size() < offset + size)
            file.resize(offset + size);
        std::memcpy(file.data() + offset, buffer, size);
        return static_cast<long long>(size);
    };
    hooks.size = [&file](int) { return static_cast<long long>(file.size()); };
    hooks.truncate = [&file](int, std::uint64_t size) {
        file.resize(size);
        return true;
    };
    hooks.lock = [](int, FileHooks::Lock, std::uint64_t, std::uint64_t) { return true; };
    hooks.close = [](int) {};
    hooks.exists = [](const std::string &) { return true; };
    hooks.errorText = [](int error) { return std::string(std::strerror(error)); };
    return hooks;
}
