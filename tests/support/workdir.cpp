#include "workdir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

TemporaryWorkDir::TemporaryWorkDir()
    : m_previous(std::filesystem::current_path())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmont-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    m_path = pattern;
    std::filesystem::current_path(m_path);
}

TemporaryWorkDir::~TemporaryWorkDir()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    // A test may have made the directory read-only.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}
