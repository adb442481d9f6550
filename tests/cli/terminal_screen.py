#!/usr/bin/env python3
"""Prints what a terminal shows after receiving the bytes of FILE: a carriage return moves to
the line's start and later characters overwrite, a line feed starts a new line; blanks at
line ends and empty lines at the end are dropped. A progress line that was cleared leaves
nothing.

usage: terminal_screen.py FILE
"""
import sys

lines, line, column = [], [], 0
for ch in open(sys.argv[1], encoding='utf-8', errors='replace', newline='').read():
    if ch == '\r':
        column = 0
    elif ch == '\n':
        lines.append(''.join(line).rstrip(' '))
        line, column = [], 0
    else:
        if column < len(line):
            line[column] = ch
        else:
            line.append(ch)
        column += 1
lines.append(''.join(line).rstrip(' '))
while lines and not lines[-1]:
    lines.pop()
sys.stdout.write(''.join(text + '\n' for text in lines))
