"""Prints a DBF table as dbfread sees it, as JSON: its fields and live records."""
import json
import sys

import dbfread


def plain(value):
    if hasattr(value, "isoformat"):
        return value.isoformat()
    return value


def main(path):
    table = dbfread.DBF(path, load=True, char_decode_errors="strict")
    print(json.dumps({
        "fields": [field.name for field in table.fields],
        "records": [{name: plain(value) for name, value in record.items()} for record in table.records],
        "deleted": len(table.deleted),
    }))


if __name__ == "__main__":
    main(sys.argv[1])
