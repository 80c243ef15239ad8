#include "testsupport.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmont-dbf-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<unsigned char> readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t leValue(const std::vector<unsigned char> &bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

std::string recordText(const std::vector<unsigned char> &bytes, std::size_t slot)
{
    const std::size_t headerLength = leValue(bytes, 8, 2);
    const std::size_t recordLength = leValue(bytes, 10, 2);
    const std::size_t begin = headerLength + slot * recordLength;
    if (begin + recordLength > bytes.size())
        return {};
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                       bytes.begin() + static_cast<std::ptrdiff_t>(begin + recordLength));
}

void appendAmortRow(TTable &table, int year, int month, int day, double n1, double n2, double n3, double n4, double n5)
{
    table.insert();
    table.fieldByName("C_FLD1").setAsString(std::to_string(year));
    table.fieldByName("D_FLD1").setAsDate(EncodeDate(year, month, day));
    table.fieldByName("N_FLD1").setAsFloat(n1);
    table.fieldByName("N_FLD2").setAsFloat(n2);
    table.fieldByName("N_FLD3").setAsFloat(n3);
    table.fieldByName("N_FLD4").setAsFloat(n4);
    table.fieldByName("N_FLD5").setAsFloat(n5);
    table.post();
}

FileHooks FailingWrites::hooks()
{
    FileHooks hooks = posixFileHooks();
    auto write = hooks.write;
    hooks.write = [this, write](int handle, const void *buffer, std::size_t size, std::uint64_t offset) -> long long {
        if (++writes == failAt) {
            errno = EIO;
            return -1;
        }
        return write(handle, buffer, size, offset);
    };
    return hooks;
}
