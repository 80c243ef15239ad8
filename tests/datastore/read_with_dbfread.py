"""Prints what dbfread sees in a DBF file: header, fields, live records."""
import sys

import dbfread


def show(value):
    if value is None:
        return "None"
    if hasattr(value, "isoformat"):
        return value.isoformat()
    return repr(value)


def main(path):
    table = dbfread.DBF(path, load=True, char_decode_errors="strict")
    h = table.header
    print(f"HEADER version={h.dbversion} records={h.numrecords} headerlen={h.headerlen} "
          f"recordlen={h.recordlen} language={h.language_driver} encoding={table.encoding}")
    for f in table.fields:
        print(f"FIELD {f.name} {f.type} {f.length} {f.decimal_count}")
    for record in table.records:
        print("RECORD " + " ".join(f"{k}={show(v)}" for k, v in record.items()))
    print(f"DELETED {len(table.deleted)}")


if __name__ == "__main__":
    main(sys.argv[1])
