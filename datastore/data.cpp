#include "table.h"

TDataSource::TDataSource(TTable &table)
    : m_table(table)
{
}

TTable &TDataSource::table() const
{
    return m_table;
}

TData::TData()
{
    setShortDateFormat("MM/dd/yyyy", '/');
}
