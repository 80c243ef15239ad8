#pragma once

#include "calcutils/currency.h"
#include "calcutils/dates.h"
#include "calcutils/errors.h"
#include "datastore/fielddefs.h"
#include "datastore/filehooks.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTable;

// A file that is not a table this layer can read; the message names the file
// and what is wrong with it.
class DamagedTable : public AppError
{
public:
    using AppError::AppError;
};

// A field of the table's current record.
class TField
{
public:
    const std::string &name() const;
    FieldKind kind() const;
    int width() const;
    int decimals() const;

    bool isNull() const;           // all blanks
    std::string asString() const;  // text fields: the text without padding
    double asFloat() const;        // numeric: the stored number, 0 when blank
    int asInteger() const;
    TDateTime asDate() const;
    // The value as a bound control shows it: the display format for numbers
    // (general format without one), the short date format for dates.
    std::string displayText() const;

    // Writes go to the record being inserted or edited; "Numeric out of
    // range." and the conversion messages leave the field unchanged.
    void setAsString(std::string_view text);
    void setAsFloat(double value);
    void setAsInteger(int value);
    void setAsCurrency(Currency value);
    void setAsDate(TDateTime value);
    void clear();

    void setDisplayFormat(std::string pattern);
    const std::string &displayFormat() const;

private:
    friend class TTable;
    TField(TTable &table, FieldDef def, int offset);

    std::string_view stored() const;
    void store(std::string_view text);
    void storeNumber(double value);
    void storeRightAligned(const std::string &text);  // "Numeric out of range." when wider than the field
    double storedNumber() const;

    TTable &m_table;
    FieldDef m_def;
    FieldKind m_kind;
    int m_offset;
    std::string m_displayFormat;
};

enum class TableState { Inactive, Browse, Edit, Insert };

// One DBF table file. Errors are AppError with the user's message.
class TTable
{
public:
    explicit TTable(std::string fileName);
    TTable(std::string fileName, FileHooks hooks);
    ~TTable();
    TTable(const TTable &) = delete;
    TTable &operator=(const TTable &) = delete;

    const std::string &fileName() const;
    // Creates the file afresh, empty, from field-definition text; the table
    // stays closed. Fails while another copy holds the file open.
    void createTable(std::string_view fieldDefinitions);
    bool exists() const;

    void open();   // shared read/write, on the first record
    void close();  // drops an unposted insert or edit
    bool active() const;
    TableState state() const;

    void insert();
    void edit();  // locks the record; on an empty table starts a new one
    void post();  // flushes bound edits, writes, unlocks
    void cancel();

    // Navigation over live (not deleted) records in file order.
    int recordCount() const;
    void first();
    void next();
    bool eof() const;

    TField &fieldByName(std::string_view name);  // "Field '%s' not found"
    TField *findField(std::string_view name);
    const std::vector<TField *> &fields() const;

    // Called after every change of the current record or its values, and
    // before a post to let bound editors write their pending text.
    int addRecordObserver(std::function<void()> observer);
    int addPendingWriter(std::function<void()> writer);
    void removeObserver(int id);

private:
    friend class TField;
    struct Impl;

    std::string_view recordBytes() const;
    void writeRecordBytes(int offset, std::string_view text);
    void notifyRecordChanged();

    std::unique_ptr<Impl> d;
};

// Connects bound controls to a table's current record.
class TDataSource
{
public:
    explicit TDataSource(TTable &table);
    TTable &table() const;

private:
    TTable &m_table;
};

// The program's data module: the two tables, the data source and the
// program-wide short date format. Tables live in the working directory.
class TData
{
public:
    TData();
    TTable tblAmort{"TEMPAMORT.DBF"};
    TTable tblPref{"ZIVORODI.DBF"};
    TDataSource srcPref{tblPref};
};
