#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the workbooks in this folder with LibreOffice (libreoffice-calc-nogui), then hand-edits a few cells into what a
# spreadsheet user makes but a CSV import cannot (see README.md). Run once from this folder; not run by the tests.
import os
import re
import shutil
import subprocess
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
# The sample bank's CSV files as they were when the workbooks were made, kept beside them: the sample bank goes on
# changing, the fixtures and what they must build do not.
SAMPLE = os.path.join(HERE, 'sample-csv')

# Column formats for LibreOffice's CSV import, "column/format" (1 standard, 2 text): every column is text but the
# ids and the score, which are typed as numbers the way a teacher types them in a general column.
FORMATS = {
    'choose': '1/1/2/1/3/2/4/2/5/2/6/2/7/2/8/2/9/2/10/2/11/1',
    'Fill': '1/1/2/1/3/2/4/2/5/2',
    'tzhishidian': '1/2/2/2/3/2',
}


def convert(csv_path, out_dir, formats):
    # separator 44 (comma), text delimiter 34 ("), UTF-8 (76), start at line 1, column formats, language, quoted as text
    options = 'CSV:44,34,76,1,%s,1033,true' % formats
    subprocess.run(['soffice', '--headless', '--infilter=' + options, '--convert-to', 'xlsx', '--outdir', out_dir,
                    csv_path], check=True, capture_output=True)


def edit(path, edits):
    # Rewrites parts of the zip in place: edits maps a part name to a function of its text.
    with zipfile.ZipFile(path) as z:
        parts = [(i, z.read(i.filename)) for i in z.infolist()]
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for info, data in parts:
            if info.filename in edits:
                data = edits[info.filename](data.decode('utf-8')).encode('utf-8')
            z.writestr(info, data)


def write_edge_csv(path):
    long_text = '栈是先进后出的线性表，队列是先进先出的线性表。' * 800  # 18,400 characters, well under a cell's 32,767
    rows = [
        'recno,Keyword,knowladge',
        '01001,"  前后有空格  ","第一行\n第二行\n\n第四行"',
        '01002,"引号""和,逗号",' + long_text,
        '01003,制表\t符,<b>不是标记</b> & 也不是实体 _x0041_',
        '01004,𠀀扩展B区,"末尾换行\n"',
    ]
    with open(path, 'w', encoding='utf-8', newline='') as f:
        f.write('\n'.join(rows) + '\n\n\n')  # blank lines at the end: the reader skips them


def main():
    work = tempfile.mkdtemp()
    os.makedirs(os.path.join(HERE, 'sample'), exist_ok=True)
    for table in ('choose', 'Fill', 'tzhishidian'):
        convert(os.path.join(SAMPLE, table + '.csv'), os.path.join(HERE, 'sample'), FORMATS[table])

    # choose.xlsx: row 2's analysis becomes two rich-text runs (the second bold), row 2's score a formula with its
    # cached value, and an empty formatted row follows the last one.
    def rich(text):
        def split(match):
            t = match.group(1)
            half = len(t) // 2
            return ('<si><r><t xml:space="preserve">%s</t></r><r><rPr><b val="true"/></rPr>'
                    '<t xml:space="preserve">%s</t></r><rPh sb="0" eb="1"><t>ピン</t></rPh></si>' % (t[:half], t[half:]))
        # the analysis of the first question: the shared string just before the knowledge code of row 2
        return re.sub(r'<si><t xml:space="preserve">(算法的时间复杂度用执行过程中[^<]*)</t></si>', split, text, count=1)

    def formula_and_trailing_row(text):
        text = re.sub(r'<c r="K2" s="(\d+)" t="n"><v>2</v></c>', r'<c r="K2" s="\1"><f>1+1</f><v>2</v></c>', text, 1)
        last = max(int(n) for n in re.findall(r'<row r="(\d+)"', text))
        return text.replace('</sheetData>', '<row r="%d"><c r="A%d" s="0"/></row></sheetData>' % (last + 2, last + 2))

    edit(os.path.join(HERE, 'sample', 'choose.xlsx'),
         {'xl/sharedStrings.xml': rich, 'xl/worksheets/sheet1.xml': formula_and_trailing_row})

    os.makedirs(os.path.join(HERE, 'edge'), exist_ok=True)
    edge_csv = os.path.join(HERE, 'edge', 'tzhishidian.csv')
    write_edge_csv(edge_csv)
    convert(edge_csv, os.path.join(HERE, 'edge'), FORMATS['tzhishidian'])
    # The same table with its codes typed as numbers in a general column: 01001 becomes 1001.
    numbers = os.path.join(work, 'numbers')
    os.makedirs(numbers)
    convert(edge_csv, numbers, '1/1/2/2/3/2')
    shutil.copy(os.path.join(numbers, 'tzhishidian.xlsx'), os.path.join(HERE, 'edge', 'numeric-codes.xlsx'))
    shutil.rmtree(work)


main()
