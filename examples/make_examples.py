#!/usr/bin/python3
"""Writes the sample workbooks that the README's first command converts.

sample.xlsx is written by python3-xlsxwriter and sample.xls by python3-xlwt
(both Debian packages), so the samples come from writers that are not ours.
Run with Debian's own interpreter: /usr/bin/python3 examples/make_examples.py
"""

import datetime
import os

import xlsxwriter
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))

CUSTOMERS = [
    ("Id", "Name", "City", "Since", "Active", "Balance", "Notes"),
    (1, "ООО «Ромашка»", "Москва", datetime.date(2019, 3, 14), True, 125000.5, "Pays on time."),
    (2, "Acme Trading Ltd", "London", datetime.date(2020, 11, 2), False, -310.25, ""),
    (3, "Иванов Иван Иванович", "Санкт-Петербург", datetime.date(2021, 3, 2), True, 0, "Новый клиент"),
    (4, "Müller & Söhne", "Köln", datetime.date(2018, 7, 30), True, 4200, "Ships to the EU only."),
]

LONG_NOTE = (
    "Договор поставки № 17/2021 продлён до конца года. "
    "Условия оплаты: 30 дней с даты отгрузки; скидка 2% при оплате в течение 10 дней. "
    "The customer asked for monthly statements in Windows-1251, delivered as DBF tables "
    "for the accounting system, with one record per invoice line and the totals checked by hand."
)

ORDERS = [
    ("Order", "Customer", "Placed", "Amount", "Paid", "Comment"),
    (1001, 1, datetime.datetime(2021, 3, 2, 14, 5, 9), 1234.5, True, "Срочно"),
    (1002, 2, datetime.datetime(2021, 3, 3, 9, 30, 0), 99.99, False, LONG_NOTE),
    (1003, 4, datetime.datetime(2021, 3, 4, 17, 45, 0), 15000, True, "Partial delivery"),
]


def write_xlsx(path):
    book = xlsxwriter.Workbook(path)
    date = book.add_format({"num_format": "yyyy-mm-dd"})
    stamp = book.add_format({"num_format": "yyyy-mm-dd hh:mm:ss"})
    money = book.add_format({"num_format": "#,##0.00"})
    for name, rows, formats in (("Customers", CUSTOMERS, {3: date, 5: money}),
                                ("Orders", ORDERS, {2: stamp, 3: money})):
        sheet = book.add_worksheet(name)
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                fmt = formats.get(c) if r > 0 else None
                if isinstance(value, bool):
                    sheet.write_boolean(r, c, value)
                elif isinstance(value, (datetime.date, datetime.datetime)):
                    sheet.write_datetime(r, c, value, fmt)
                elif value == "":
                    continue
                else:
                    sheet.write(r, c, value, fmt)
    book.close()


def write_xls(path):
    book = xlwt.Workbook(encoding="utf-8")
    date = xlwt.easyxf(num_format_str="yyyy-mm-dd")
    stamp = xlwt.easyxf(num_format_str="yyyy-mm-dd hh:mm:ss")
    money = xlwt.easyxf(num_format_str="#,##0.00")
    for name, rows, formats in (("Клиенты", CUSTOMERS, {3: date, 5: money}),
                                ("Заказы", ORDERS, {2: stamp, 3: money})):
        sheet = book.add_sheet(name)
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                if value == "":
                    continue
                fmt = formats.get(c) if r > 0 else None
                if fmt is not None:
                    sheet.write(r, c, value, fmt)
                else:
                    sheet.write(r, c, value)
    book.save(path)


if __name__ == "__main__":
    write_xlsx(os.path.join(HERE, "sample.xlsx"))
    write_xls(os.path.join(HERE, "sample.xls"))
