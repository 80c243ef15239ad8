"""Writes the rows of the append benchmark with python-dbf and prints the
seconds it took: creating the table, appending every row, closing it."""
import datetime
import sys
import time

import dbf

LAYOUT = ("C_FLD1 C(4); D_FLD1 D; N_FLD1 N(12,2); N_FLD2 N(12,2); N_FLD3 N(12,2); "
          "N_FLD4 N(12,2); N_FLD5 N(12,2)")


def schedule_rows(count):
    """The rows the C++ side writes: a level payment on 100,000.00 at 1 % a
    month, in whole cents, one day apart from 15 January 2024; a paid-off
    loan starts again, so every amount fits its field."""
    rows = []
    balance = 10000000
    payment = 222444
    first = datetime.date(2024, 1, 15)
    for number in range(1, count + 1):
        interest = (balance + 50) // 100
        principal = payment - interest
        balance -= principal
        due = first + datetime.timedelta(days=number - 1)
        rows.append((str(due.year), due, number, payment / 100, interest / 100, principal / 100, balance / 100))
        if balance <= 0:
            balance = 10000000
    return rows


def main(path, count):
    rows = schedule_rows(count)
    start = time.perf_counter()
    table = dbf.Table(path, LAYOUT, dbf_type="db3", codepage="cp437")
    table.open(dbf.READ_WRITE)
    for row in rows:
        table.append(row)
    table.close()
    print(f"{time.perf_counter() - start:.9f}")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
