#include "table.h"

#include "dbfformat.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

namespace {

// Lock ranges far beyond any real file end, so that locking never blocks a
// plain read of the data and a record's range never meets the markers.
constexpr std::uint64_t kRecordLockBase = 0x7FFE00000000ULL;
constexpr std::uint64_t kInUseLock = 0x7FFFFFFF0000ULL;
constexpr std::uint64_t kAppendLock = kInUseLock + 1;

// Another copy holds the append lock only for the few writes of one post.
constexpr int kAppendLockAttempts = 500;
constexpr auto kAppendLockPause = std::chrono::milliseconds(10);

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Field names are ASCII; folding them here rather than through the C locale
// keeps the lookup, which runs for every value written, cheap and the same
// under every locale. Names of one table often differ only at the end
// (N_FLD1 to N_FLD5), so the comparison starts there.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = a.size(); i > 0; --i) {
        if (asciiUpper(a[i - 1]) != asciiUpper(b[i - 1]))
            return false;
    }
    return true;
}

}  // namespace

struct TTable::Impl
{
    std::string fileName;
    FileHooks hooks;
    int handle = -1;
    TableState state = TableState::Inactive;
    dbf::Layout layout;
    std::vector<std::unique_ptr<TField>> ownedFields;
    // Fields of earlier openings: a bound control may still hold one, and it
    // then reads blank instead of freed memory.
    std::vector<std::unique_ptr<TField>> retiredFields;
    std::vector<TField *> fields;
    std::vector<std::uint32_t> liveSlots;
    std::size_t current = 0;
    bool eof = true;
    std::string record;
    bool recordLocked = false;
    std::uint32_t lockedSlot = 0;
    int nextObserverId = 1;
    std::vector<std::pair<int, std::function<void()>>> observers;
    std::vector<std::pair<int, std::function<void()>>> pendingWriters;

    [[noreturn]] void fail(const char *pattern, int error) const
    {
        throw AppError(formatMessage(pattern, fileName, hooks.errorText(error)));
    }
    [[noreturn]] void damaged(const std::string &reason) const
    {
        throw DamagedTable(formatMessage("Table '%s' is not a valid DBF file: %s", fileName, reason));
    }

    bool readExact(void *buffer, std::size_t size, std::uint64_t offset) const
    {
        auto *p = static_cast<unsigned char *>(buffer);
        while (size > 0) {
            const long long n = hooks.read(handle, p, size, offset);
            if (n < 0)
                return false;
            if (n == 0) {
                errno = 0;
                return false;
            }
            p += n;
            size -= static_cast<std::size_t>(n);
            offset += static_cast<std::uint64_t>(n);
        }
        return true;
    }
    void readOrFail(void *buffer, std::size_t size, std::uint64_t offset) const
    {
        if (!readExact(buffer, size, offset)) {
            if (errno == 0)
                damaged("the file ends early");
            fail("Cannot read table '%s': %s", errno);
        }
    }
    void writeOrFail(int h, const void *buffer, std::size_t size, std::uint64_t offset) const
    {
        const auto *p = static_cast<const unsigned char *>(buffer);
        while (size > 0) {
            const long long n = hooks.write(h, p, size, offset);
            if (n <= 0)
                fail("Cannot write table '%s': %s", n < 0 ? errno : EIO);
            p += n;
            size -= static_cast<std::size_t>(n);
            offset += static_cast<std::uint64_t>(n);
        }
    }

    std::uint64_t slotOffset(std::uint32_t slot) const
    {
        return layout.headerLength + static_cast<std::uint64_t>(slot) * layout.recordLength;
    }
    std::string blankRecord() const { return std::string(layout.recordLength, ' '); }

    // The record count as the header says it now, which other copies may have
    // raised since the open.
    std::uint32_t currentRecordCount() const
    {
        unsigned char head[dbf::kRecordCountOffset + 4];
        readOrFail(head, sizeof head, 0);
        const std::uint32_t records = dbf::storedRecordCount(head);
        const long long size = hooks.size(handle);
        if (size < 0)
            fail("Cannot read table '%s': %s", errno);
        const std::uint64_t available = static_cast<std::uint64_t>(size) - layout.headerLength;
        if (static_cast<std::uint64_t>(records) * layout.recordLength > available)
            damaged("the file is shorter than its record count says");
        return records;
    }

    void scanLiveRecords()
    {
        const std::uint32_t records = currentRecordCount();
        liveSlots.clear();
        constexpr std::uint32_t kChunk = 256;
        std::string chunk;
        for (std::uint32_t slot = 0; slot < records; slot += kChunk) {
            const std::uint32_t n = std::min(kChunk, records - slot);
            chunk.resize(static_cast<std::size_t>(n) * layout.recordLength);
            readOrFail(chunk.data(), chunk.size(), slotOffset(slot));
            for (std::uint32_t i = 0; i < n; ++i) {
                if (chunk[static_cast<std::size_t>(i) * layout.recordLength] != '*')
                    liveSlots.push_back(slot + i);
            }
        }
    }

    void readCurrentRecord()
    {
        if (liveSlots.empty()) {
            record = blankRecord();
            return;
        }
        std::string bytes(layout.recordLength, ' ');
        readOrFail(bytes.data(), bytes.size(), slotOffset(liveSlots[current]));
        record = std::move(bytes);
    }

    void unlockRecord()
    {
        if (recordLocked)
            hooks.lock(handle, FileHooks::Lock::Unlock, kRecordLockBase + lockedSlot, 1);
        recordLocked = false;
    }

    void appendRecord()
    {
        int attempt = 0;
        while (!hooks.lock(handle, FileHooks::Lock::Exclusive, kAppendLock, 1)) {
            if (errno != EAGAIN)
                fail("Cannot lock table '%s': %s", errno);
            if (++attempt == kAppendLockAttempts)
                throw AppError(formatMessage("Table '%s' is busy: another user is adding a record", fileName));
            std::this_thread::sleep_for(kAppendLockPause);
        }
        try {
            // The record goes first and the count last, so a copy that stops
            // in between leaves the file as it was, only longer.
            const std::uint32_t slot = currentRecordCount();
            if (slot == 0xFFFFFFFF)
                throw AppError(formatMessage("Table '%s' is full", fileName));
            try {
                writeOrFail(handle, record.data(), record.size(), slotOffset(slot));
                writeOrFail(handle, &dbf::kEndMark, 1, slotOffset(slot + 1));
                writeHeaderUpdate(slot + 1);
            } catch (...) {
                // Readers that go by the end mark instead of the count would
                // take a partly written record for a real one.
                hooks.write(handle, &dbf::kEndMark, 1, slotOffset(slot));
                hooks.truncate(handle, slotOffset(slot) + 1);
                throw;
            }
            hooks.lock(handle, FileHooks::Lock::Unlock, kAppendLock, 1);
            liveSlots.push_back(slot);
            current = liveSlots.size() - 1;
        } catch (...) {
            hooks.lock(handle, FileHooks::Lock::Unlock, kAppendLock, 1);
            throw;
        }
    }

    void writeHeaderUpdate(std::uint32_t records) const
    {
        const DateParts today = DecodeDate(Today());
        unsigned char bytes[7];
        dbf::encodeUpdateDate(today.year, today.month, today.day, bytes);
        dbf::encodeRecordCount(records, bytes + 3);
        writeOrFail(handle, bytes, sizeof bytes, 1);
    }

    void rewriteRecord()
    {
        writeOrFail(handle, record.data(), record.size(), slotOffset(lockedSlot));
        const DateParts today = DecodeDate(Today());
        unsigned char date[3];
        dbf::encodeUpdateDate(today.year, today.month, today.day, date);
        writeOrFail(handle, date, sizeof date, 1);
    }
};

TTable::TTable(std::string fileName)
    : TTable(std::move(fileName), posixFileHooks())
{
}

TTable::TTable(std::string fileName, FileHooks hooks)
    : d(std::make_unique<Impl>())
{
    d->fileName = std::move(fileName);
    d->hooks = std::move(hooks);
}

TTable::~TTable()
{
    if (d->handle >= 0)
        d->hooks.close(d->handle);
}

const std::string &TTable::fileName() const
{
    return d->fileName;
}

bool TTable::exists() const
{
    return d->hooks.exists(d->fileName);
}

void TTable::createTable(std::string_view fieldDefinitions)
{
    if (active())
        throw AppError("Cannot perform this operation on an open dataset");
    const dbf::Layout layout = dbf::layoutFor(parseFieldDefinitions(fieldDefinitions));

    const int h = d->hooks.open(d->fileName, FileHooks::Mode::CreateOrExisting);
    if (h < 0)
        d->fail("Cannot create table '%s': %s", errno);
    try {
        // Replacing the file under another copy that has it open would go
        // unnoticed on this system; the in-use lock makes it fail instead.
        if (!d->hooks.lock(h, FileHooks::Lock::Exclusive, kInUseLock, 1)) {
            if (errno != EAGAIN)
                d->fail("Cannot create table '%s': %s", errno);
            throw AppError(formatMessage("Cannot create table '%s': the file is in use by another user", d->fileName));
        }
        if (!d->hooks.truncate(h, 0))
            d->fail("Cannot create table '%s': %s", errno);
        const DateParts today = DecodeDate(Today());
        std::vector<unsigned char> bytes = dbf::encodeHeader(layout, 0, today.year, today.month, today.day);
        bytes.push_back(dbf::kEndMark);
        d->writeOrFail(h, bytes.data(), bytes.size(), 0);
    } catch (...) {
        d->hooks.close(h);
        throw;
    }
    d->hooks.close(h);
}

void TTable::open()
{
    if (active())
        return;
    const int h = d->hooks.open(d->fileName, FileHooks::Mode::Existing);
    if (h < 0)
        d->fail("Cannot open table '%s': %s", errno);
    d->handle = h;
    try {
        if (!d->hooks.lock(h, FileHooks::Lock::Shared, kInUseLock, 1)) {
            if (errno != EAGAIN)
                d->fail("Cannot open table '%s': %s", errno);
            throw AppError(formatMessage("Cannot open table '%s': another user is re-creating it", d->fileName));
        }
        const long long size = d->hooks.size(h);
        if (size < 0)
            d->fail("Cannot open table '%s': %s", errno);
        const auto fileSize = static_cast<std::uint64_t>(size);
        if (fileSize < dbf::kHeaderSize + 1)
            d->damaged("the file is too short for a table header");
        std::vector<unsigned char> header(dbf::kHeaderSize);
        d->readOrFail(header.data(), header.size(), 0);
        const std::uint32_t headerLength = dbf::storedHeaderLength(header.data());
        if (headerLength > fileSize)
            d->damaged("the header is longer than the file");
        if (headerLength < dbf::kHeaderSize + 1)
            d->damaged("the header length is wrong");
        header.resize(headerLength);
        d->readOrFail(header.data() + dbf::kHeaderSize, headerLength - dbf::kHeaderSize, dbf::kHeaderSize);

        dbf::Layout layout;
        std::uint32_t records = 0;
        const std::string problem = dbf::checkHeader(header.data(), header.size(), fileSize, layout, records);
        if (!problem.empty())
            d->damaged(problem);
        d->layout = std::move(layout);
        d->scanLiveRecords();
    } catch (...) {
        d->hooks.close(h);
        d->handle = -1;
        d->layout = {};
        d->liveSlots.clear();
        throw;
    }

    for (std::size_t i = 0; i < d->layout.fields.size(); ++i) {
        d->ownedFields.push_back(std::unique_ptr<TField>(new TField(*this, d->layout.fields[i], d->layout.offsets[i])));
        d->fields.push_back(d->ownedFields.back().get());
    }
    d->state = TableState::Browse;
    d->current = 0;
    d->eof = d->liveSlots.empty();
    d->record = d->blankRecord();
    try {
        d->readCurrentRecord();
    } catch (...) {
        close();
        throw;
    }
    notifyRecordChanged();
}

void TTable::close()
{
    if (!active())
        return;
    // Closing the file description releases every lock it holds.
    d->hooks.close(d->handle);
    d->handle = -1;
    d->recordLocked = false;
    d->state = TableState::Inactive;
    d->fields.clear();
    for (auto &field : d->ownedFields)
        d->retiredFields.push_back(std::move(field));
    d->ownedFields.clear();
    d->liveSlots.clear();
    d->layout = {};
    d->record.clear();
    d->current = 0;
    d->eof = true;
    notifyRecordChanged();
}

bool TTable::active() const
{
    return d->state != TableState::Inactive;
}

TableState TTable::state() const
{
    return d->state;
}

namespace {

void checkActive(const TTable &table)
{
    if (!table.active())
        throw AppError("Cannot perform this operation on a closed dataset");
}

}  // namespace

void TTable::insert()
{
    checkActive(*this);
    if (d->state == TableState::Edit || d->state == TableState::Insert)
        post();
    d->record = d->blankRecord();
    d->state = TableState::Insert;
    notifyRecordChanged();
}

void TTable::edit()
{
    checkActive(*this);
    if (d->state == TableState::Edit || d->state == TableState::Insert)
        return;
    if (d->liveSlots.empty()) {
        insert();
        return;
    }
    const std::uint32_t slot = d->liveSlots[d->current];
    if (!d->hooks.lock(d->handle, FileHooks::Lock::Exclusive, kRecordLockBase + slot, 1)) {
        if (errno != EAGAIN)
            d->fail("Cannot lock a record of table '%s': %s", errno);
        throw AppError("Record locked by another user.");
    }
    d->recordLocked = true;
    d->lockedSlot = slot;
    try {
        // Another copy may have posted a change since this one read the record.
        d->readCurrentRecord();
    } catch (...) {
        d->unlockRecord();
        throw;
    }
    d->state = TableState::Edit;
    notifyRecordChanged();
}

void TTable::post()
{
    checkActive(*this);
    const auto writers = d->pendingWriters;
    for (const auto &writer : writers)
        writer.second();
    if (d->state == TableState::Insert) {
        d->appendRecord();
    } else if (d->state == TableState::Edit) {
        d->rewriteRecord();
        d->unlockRecord();
    } else {
        throw AppError("Dataset not in edit or insert mode");
    }
    d->state = TableState::Browse;
    d->eof = false;
    notifyRecordChanged();
}

void TTable::cancel()
{
    if (d->state != TableState::Edit && d->state != TableState::Insert)
        return;
    d->unlockRecord();
    d->state = TableState::Browse;
    try {
        d->readCurrentRecord();
    } catch (...) {
        d->record = d->blankRecord();
        notifyRecordChanged();
        throw;
    }
    notifyRecordChanged();
}

int TTable::recordCount() const
{
    return active() ? static_cast<int>(d->liveSlots.size()) : 0;
}

void TTable::first()
{
    checkActive(*this);
    if (d->state != TableState::Browse)
        post();
    d->scanLiveRecords();
    d->current = 0;
    d->eof = d->liveSlots.empty();
    d->readCurrentRecord();
    notifyRecordChanged();
}

void TTable::next()
{
    checkActive(*this);
    if (d->state != TableState::Browse)
        post();
    if (d->current + 1 < d->liveSlots.size()) {
        ++d->current;
        d->readCurrentRecord();
        notifyRecordChanged();
    } else {
        d->eof = true;
    }
}

bool TTable::eof() const
{
    return !active() || d->eof;
}

TField &TTable::fieldByName(std::string_view name)
{
    if (TField *field = findField(name))
        return *field;
    throw AppError(formatMessage("Field '%s' not found", std::string(name)));
}

TField *TTable::findField(std::string_view name)
{
    for (TField *field : d->fields) {
        if (sameName(field->name(), name))
            return field;
    }
    return nullptr;
}

const std::vector<TField *> &TTable::fields() const
{
    return d->fields;
}

int TTable::addRecordObserver(std::function<void()> observer)
{
    const int id = d->nextObserverId++;
    d->observers.emplace_back(id, std::move(observer));
    return id;
}

int TTable::addPendingWriter(std::function<void()> writer)
{
    const int id = d->nextObserverId++;
    d->pendingWriters.emplace_back(id, std::move(writer));
    return id;
}

void TTable::removeObserver(int id)
{
    const auto hasId = [id](const auto &entry) { return entry.first == id; };
    std::erase_if(d->observers, hasId);
    std::erase_if(d->pendingWriters, hasId);
}

std::string_view TTable::recordBytes() const
{
    return d->record;
}

void TTable::writeRecordBytes(int offset, std::string_view text)
{
    if (d->state != TableState::Edit && d->state != TableState::Insert)
        throw AppError("Dataset not in edit or insert mode");
    std::copy(text.begin(), text.end(), d->record.begin() + offset);
    notifyRecordChanged();
}

void TTable::notifyRecordChanged()
{
    // An observer may add or remove observers while it runs.
    const auto observers = d->observers;
    for (const auto &observer : observers)
        observer.second();
}
