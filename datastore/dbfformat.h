#pragma once

#include "fielddefs.h"

#include <cstdint>
#include <string>
#include <vector>

// The fixed parts of a DBF file: the 32-byte header, one 32-byte descriptor
// per field, the 0x0D terminator, then the records and the 0x1A end mark.
namespace dbf {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr unsigned char kVersion = 0x03;
constexpr unsigned char kCodePageUsDos = 0x01;
constexpr unsigned char kTerminator = 0x0D;
constexpr unsigned char kEndMark = 0x1A;
constexpr std::uint64_t kRecordCountOffset = 4;

struct Layout
{
    std::vector<FieldDef> fields;
    std::vector<int> offsets;  // in the record; the deletion flag is byte 0
    std::uint32_t headerLength = 0;
    std::uint32_t recordLength = 0;
};

// Offsets and lengths for fields in this order; AppError when the record or
// the header would not fit the format's 16-bit lengths.
Layout layoutFor(std::vector<FieldDef> fields);

// The header, descriptors and terminator of a table holding recordCount
// records, last updated on the given day.
std::vector<unsigned char> encodeHeader(const Layout &layout, std::uint32_t recordCount, int year, int month, int day);
void encodeRecordCount(std::uint32_t recordCount, unsigned char out[4]);
void encodeUpdateDate(int year, int month, int day, unsigned char out[3]);

// The header length stored in the first 32 bytes.
std::uint32_t storedHeaderLength(const unsigned char *header);
std::uint32_t storedRecordCount(const unsigned char *header);

// Checks a whole header (headerLength bytes as storedHeaderLength gave)
// against itself and the size of its file. The text says what is wrong,
// empty when the header is sound.
std::string checkHeader(const unsigned char *header, std::size_t size, std::uint64_t fileSize, Layout &layout,
                        std::uint32_t &recordCount);

}  // namespace dbf
