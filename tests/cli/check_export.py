#!/usr/bin/env python3
"""Reads an XLS export back with xlrd and prints every cell as "row<TAB>column<TAB>text".

  check_export.py FILE
"""
import sys

import xlrd  # Debian package python3-xlrd

sheet = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
for row in range(sheet.nrows):
    for column in range(sheet.ncols):
        cell = sheet.cell(row, column)
        if cell.ctype != xlrd.XL_CELL_EMPTY:
            print("%d\t%d\t%s" % (row, column, cell.value))
