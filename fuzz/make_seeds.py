#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/ (run from anywhere)."""
import csv, os, struct

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)

def slot(text):
    b = text.encode('cp1250')[:255]
    return bytes([len(b)]) + b + bytes(255 - len(b))

def record(fields):
    return b''.join(slot(f) for f in fields)

def entry(fields, code):
    return b''.join(slot(f) for f in fields) + struct.pack('<i', code)

ROUTE = [
    ["Zdroj", "LD", "1550", "-", "3", "2", "-", "-", "-", "-", ""],
    ["Vlákno", "SMF", "1550", "2,5", "-", "-", "0,1", "17", "10", "-", "poznámka"],
    ["Konektor", "FC", "1550", "0,5", "-", "-", "-", "-", "-", "-", ""],
    ["Zesilovač", "EDFA", "1550", "-", "20", "-", "-", "-", "-", "-", ""],
    ["Detektor", "PIN", "1550", "-", "-", "-", "-", "-", "-", "-30", ""],
]
TYPES = ["Zdroj", "Vlákno", "Detektor", "Konektor", "Zesilovač"]

def write(target, name, data):
    d = os.path.join(here, 'corpus', target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), 'wb') as f:
        f.write(data if isinstance(data, bytes) else data.encode('utf-8'))

route_bytes = b''.join(record(r) for r in ROUTE)
write('route_load', 'five_records', route_bytes)
write('route_load', 'one_record_and_tail', record(ROUTE[0]) + b'\x05Zdroj')
write('route_load', 'empty', b'')
odd = bytearray(record(ROUTE[1]))
odd[256 + 5] = 0x81  # an undefined byte of the code page in the label
odd[1000] = 0xFF     # garbage after a slot's text
write('route_load', 'odd_bytes', bytes(odd))

with open(os.path.join(root, 'data', 'stdkmp.csv'), encoding='utf-8') as f:
    csv_text = f.read()
rows = list(csv.reader(csv_text.splitlines(), delimiter=';'))[1:]
entries = [entry(r[1:], TYPES.index(r[0])) for r in rows[:4]]
write('library_load', 'four_entries', b''.join(entries))
write('library_load', 'type_code_outside', entry(rows[0][1:], 7) + entry(rows[1][1:], -1))
write('library_load', 'empty', b'')

write('library_csv', 'standard_library', csv_text)
header = csv_text.splitlines()[0]
write('library_csv', 'quoted', header + '\r\n"Konektor";"FC; ""PC""";-;"0,3";-;-;-;-;-;-;"řádek\ndalší"\r\n')
write('library_csv', 'type_code', '\ufeff' + header + '\n7;x;-;-;-;-;-;-;-;-;\n\n')
write('library_csv', 'header_only', header + '\n')

for name, text in [('decimal', '0,35'), ('negative', '-30'), ('exponent', '1e5'), ('blanks', '  7 '),
                   ('big', '1,5E300'), ('tiny', '1e-400'), ('comma', ','), ('dash', '-')]:
    write('slot_number', name, text)

for target in ('length_filter', 'numeric_filter'):
    for name, text in [('typed', '12.5a'), ('commas', '1,2,5'), ('minus', '-3,-4'),
                       ('long', '1234567890' * 4), ('accents', 'čř5,ž')]:
        write(target, name, text)

route_text = '\n'.join(';'.join(r) for r in ROUTE) + '\n'
write('draw_route', 'worked_example', route_text)
write('draw_route', 'long_fibre', 'Zdroj;LD;1550;-;0;2\nVlákno;SMF;1550;1e5;-;-;0,1;17;2,5e5\nDetektor;PIN;1550;-;-;-;-;-;-;-30\n')
write('draw_route', 'zero_length', 'Zdroj;LD;1550;-;0;0\nVlákno;SMF;1550;0;-;-;0;0;0\nDetektor;PIN;1550;-;-;-;-;-;-;0\n')
write('draw_route', 'negative_cd', 'Zdroj;LD;1550;-;15;1\nVlákno;DCF;1550;3;-;-;1;-90;10\nKonektor;FC;-;0,5\nDetektor;PIN;1550;-;-;-;-;-;-;-5\n')
write('draw_route', 'huge', 'Zdroj;LD;1550;-;1e300;1e300\nVlákno;SMF;1550;1e300;-;-;1e300;1e300;1e300\nDetektor;PIN;1550;-;-;-;-;-;-;-1e300\n')

write('report_page', 'full', 'Jan\nNovák\n1. 3. 2024\n2B\n12,3456;0,34;0,316\n' + route_text +
      '---\nZávěr první.\n\nTřetí řádek.\n')
write('report_page', 'markup', '<b>\n&amp;\n"x"\n\r\n-1e-9;2;3\nVlákno;<i>;-;&;-;-;"\n---\n<script>\n')
write('report_page', 'empty', '')
write('report_page', 'undefined_code_page_bytes', 'Jan\u0081\nNov\u0098\n\n\n1;2;3\n---\n\u0090\n')
