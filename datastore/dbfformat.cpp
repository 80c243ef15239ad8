#include "dbfformat.h"

#include "calcutils/errors.h"

#include <cstring>

namespace dbf {

namespace {

std::uint32_t readLe(const unsigned char *p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void writeLe(std::uint32_t value, unsigned char *p, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        p[i] = static_cast<unsigned char>(value & 0xFF);
        value >>= 8;
    }
}

}  // namespace

Layout layoutFor(std::vector<FieldDef> fields)
{
    Layout layout;
    std::uint64_t recordLength = 1;
    for (const FieldDef &def : fields) {
        layout.offsets.push_back(static_cast<int>(recordLength));
        recordLength += static_cast<std::uint64_t>(def.width);
    }
    const std::uint64_t headerLength = kHeaderSize + kDescriptorSize * fields.size() + 1;
    if (recordLength > 0xFFFF || headerLength > 0xFFFF)
        throw AppError("Too many fields for one table");
    layout.fields = std::move(fields);
    layout.recordLength = static_cast<std::uint32_t>(recordLength);
    layout.headerLength = static_cast<std::uint32_t>(headerLength);
    return layout;
}

void encodeRecordCount(std::uint32_t recordCount, unsigned char out[4])
{
    writeLe(recordCount, out, 4);
}

void encodeUpdateDate(int year, int month, int day, unsigned char out[3])
{
    out[0] = static_cast<unsigned char>(year - 1900);
    out[1] = static_cast<unsigned char>(month);
    out[2] = static_cast<unsigned char>(day);
}

std::vector<unsigned char> encodeHeader(const Layout &layout, std::uint32_t recordCount, int year, int month, int day)
{
    std::vector<unsigned char> bytes(layout.headerLength, 0);
    bytes[0] = kVersion;
    encodeUpdateDate(year, month, day, &bytes[1]);
    encodeRecordCount(recordCount, &bytes[4]);
    writeLe(layout.headerLength, &bytes[8], 2);
    writeLe(layout.recordLength, &bytes[10], 2);
    bytes[29] = kCodePageUsDos;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const FieldDef &def = layout.fields[i];
        unsigned char *d = &bytes[kHeaderSize + kDescriptorSize * i];
        std::memcpy(d, def.name.data(), def.name.size());
        d[11] = static_cast<unsigned char>(def.type);
        writeLe(static_cast<std::uint32_t>(layout.offsets[i]), d + 12, 4);
        d[16] = static_cast<unsigned char>(def.width);
        d[17] = static_cast<unsigned char>(def.decimals);
    }
    bytes[layout.headerLength - 1] = kTerminator;
    return bytes;
}

std::uint32_t storedHeaderLength(const unsigned char *header)
{
    return readLe(header + 8, 2);
}

std::uint32_t storedRecordCount(const unsigned char *header)
{
    return readLe(header + 4, 4);
}

std::string checkHeader(const unsigned char *header, std::size_t size, std::uint64_t fileSize, Layout &layout,
                        std::uint32_t &recordCount)
{
    if (size < kHeaderSize + 1)
        return "the file is too short for a table header";
    if (header[0] != kVersion)
        return "not a DBF table of a supported version";
    const std::uint32_t headerLength = storedHeaderLength(header);
    if (headerLength != size)
        return "the header length is wrong";
    if (headerLength > fileSize)
        return "the header is longer than the file";

    std::vector<FieldDef> fields;
    std::size_t pos = kHeaderSize;
    while (pos < size && header[pos] != kTerminator) {
        if (pos + kDescriptorSize > size - 1)
            return "the field descriptors are not terminated";
        const unsigned char *d = header + pos;
        const char *rawName = reinterpret_cast<const char *>(d);
        const std::string name(rawName, strnlen(rawName, 11));
        if (!validFieldName(name))
            return "a field has an invalid name";
        FieldDef def{name, static_cast<char>(d[11]), d[16], d[17]};
        if (!validFieldShape(def.type, def.width, def.decimals))
            return "field " + name + " has an unsupported type or size";
        for (const FieldDef &other : fields) {
            if (other.name == def.name)
                return "field " + name + " appears twice";
        }
        fields.push_back(std::move(def));
        pos += kDescriptorSize;
    }
    if (pos >= size)
        return "the field descriptors are not terminated";
    if (fields.empty())
        return "the table has no fields";

    std::uint64_t recordLength = 1;
    for (const FieldDef &def : fields)
        recordLength += static_cast<std::uint64_t>(def.width);
    if (recordLength != readLe(header + 10, 2))
        return "the record length disagrees with the fields";

    recordCount = storedRecordCount(header);
    if (static_cast<std::uint64_t>(recordCount) * recordLength > fileSize - headerLength)
        return "the file is shorter than its record count says";

    layout = layoutFor(std::move(fields));
    // Padding after the terminator (some writers reserve room) is kept as it is.
    layout.headerLength = headerLength;
    return {};
}

}  // namespace dbf
