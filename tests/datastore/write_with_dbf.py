"""Writes a schedule table with python-dbf: three rows, the second deleted."""
import datetime
import sys

import dbf


def main(path):
    table = dbf.Table(path, "C_FLD1 C(4); D_FLD1 D; N_FLD1 N(12,2); N_FLD2 N(12,2); N_FLD3 N(12,2); "
                            "N_FLD4 N(12,2); N_FLD5 N(12,2)", dbf_type="db3", codepage="cp437")
    table.open(dbf.READ_WRITE)
    table.append(("2024", datetime.date(2024, 1, 15), 1, 2224.44, 1000, 1224.44, 98775.56))
    table.append(("2024", datetime.date(2024, 2, 15), 99, 1, 1, 1, 1))
    dbf.delete(table[1])
    table.append(("2024", None, 2, 2224.44, 987.75, 1236.69, -0.25))
    table.close()


if __name__ == "__main__":
    main(sys.argv[1])
