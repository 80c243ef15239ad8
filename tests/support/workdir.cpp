#include "workdir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

TemporaryWorkDir::TemporaryWorkDir() : m_previous(std::filesystem::current_path())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmont-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    m_path = pattern;
    std::filesystem::current_path(m_path);
}

TemporaryWorkDir::~TemporaryWorkDir()
{
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
