#!/usr/bin/env python3
"""Reads an export back with independent readers and prints what they see, one fact a line.

  check_export.py xls FILE    every cell as "row<TAB>column<TAB>text" (xlrd, Windows-1252 cells)
  check_export.py html FILE   "starttags ..." (sorted distinct names), "tr N" data and title rows,
                              "caption N" caption rows, "title N" title rows, then "data TEXT"
                              for every piece of text (entities decoded, no-break spaces as spaces)
"""
import sys
from html.parser import HTMLParser


def read_xls(path):
    import xlrd  # Debian package python3-xlrd
    book = xlrd.open_workbook(path, encoding_override="cp1252")
    sheet = book.sheet_by_index(0)
    for row in range(sheet.nrows):
        for column in range(sheet.ncols):
            cell = sheet.cell(row, column)
            if cell.ctype != xlrd.XL_CELL_EMPTY:
                print("%d\t%d\t%s" % (row, column, cell.value))


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = set()
        self.rows = 0
        self.captions = 0
        self.titles = 0
        self.row_has_title = False
        self.texts = []

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        if tag == "tr":
            self.rows += 1
            self.row_has_title = False
        if tag == "td" and any(name == "ordcsp" for name, _ in attrs):
            self.captions += 1
        if tag == "b" and not self.row_has_title:
            self.titles += 1
            self.row_has_title = True

    def handle_data(self, data):
        text = data.replace("\xa0", " ").strip()
        if text:
            self.texts.append(text)


def read_html(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    page = Page()
    page.feed(text)
    page.close()
    print("starttags " + " ".join(sorted(page.tags)))
    print("tr %d" % page.rows)
    print("caption %d" % page.captions)
    print("title %d" % page.titles)
    for piece in page.texts:
        print("data " + piece)


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    read_xls(path) if kind == "xls" else read_html(path)
