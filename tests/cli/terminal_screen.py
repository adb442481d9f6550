#!/usr/bin/env python3
"""Prints what a terminal shows after receiving the bytes of FILE: a carriage return moves to
the line's start and later characters overwrite, a line feed starts a new line; of the
control sequences a Windows console under Wine sends, ESC [ n C moves right and ESC [ K
erases to the line's end, the others change nothing shown. Blanks at line ends and empty
lines at the end are dropped: a progress line that was cleared leaves nothing.
With --text, prints the characters received instead, moves right as blanks and the other
control sequences left out.

usage: terminal_screen.py [--text] FILE
"""
import re
import sys

text_only = sys.argv[1] == '--text'
received = open(sys.argv[-1], encoding='utf-8', errors='replace', newline='').read()
sequence = re.compile(r'\x1b\[([0-9;?]*)([@-~])')
if text_only:
    sys.stdout.write(sequence.sub(lambda m: ' ' * int(m.group(1) or 1) if m.group(2) == 'C' else '', received))
    sys.exit(0)

lines, line, column, at = [], [], 0, 0
while at < len(received):
    control = sequence.match(received, at)
    if control:
        at = control.end()
        parameter, final = control.group(1), control.group(2)
        if final == 'C':
            column += int(parameter or 1)
        elif final == 'K' and parameter in ('', '0'):
            del line[column:]
        continue
    ch = received[at]
    at += 1
    if ch == '\r':
        column = 0
    elif ch == '\n':
        lines.append(''.join(line).rstrip(' '))
        line, column = [], 0
    else:
        line.extend(' ' * (column + 1 - len(line)))
        line[column] = ch
        column += 1
lines.append(''.join(line).rstrip(' '))
while lines and not lines[-1]:
    lines.pop()
sys.stdout.write(''.join(text + '\n' for text in lines))
