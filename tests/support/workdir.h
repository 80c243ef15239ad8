#pragma once

#include <filesystem>

// Makes a fresh temporary directory the working directory for as long as it
// lives, then goes back and removes it with the table files in it.
class TemporaryWorkDir
{
public:
    TemporaryWorkDir();
    ~TemporaryWorkDir();
    TemporaryWorkDir(const TemporaryWorkDir &) = delete;
    TemporaryWorkDir &operator=(const TemporaryWorkDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};
