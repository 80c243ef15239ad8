#pragma once

#include "datastore/table.h"

#include <cstdint>
#include <string>
#include <vector>

// A fresh directory under the system temp dir, removed with its files.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::vector<unsigned char> readBytes(const std::string &path);
void writeBytes(const std::string &path, const std::vector<unsigned char> &bytes);
std::uint32_t leValue(const std::vector<unsigned char> &bytes, std::size_t offset, int size);

// The record bytes of slot n of a table file, from the header lengths.
std::string recordText(const std::vector<unsigned char> &bytes, std::size_t slot);

// Adds one TEMPAMORT row: year text, due date and the five amounts.
void appendAmortRow(TTable &table, int year, int month, int day, double n1, double n2, double n3, double n4, double n5);

// Hooks on the real files that count the writes and make the chosen one
// (1 for the first) fail with EIO.
struct FailingWrites
{
    int writes = 0;
    int failAt = 0;
    FileHooks hooks();
};
