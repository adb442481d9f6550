#!/usr/bin/env python3
"""Runs a command with its standard error on a terminal (a pseudo-terminal in raw mode, so the
bytes arrive as written) and its standard output in a file, as a publisher's shell with
`> out.txt` would. Writes what the terminal received to CAPTURE; exits with the command's code.

usage: stderr_on_terminal.py STDOUT_FILE CAPTURE COMMAND [ARG...]
"""
import os
import select
import subprocess
import sys
import tty

stdout_path, capture_path, command = sys.argv[1], sys.argv[2], sys.argv[3:]
master, slave = os.openpty()
tty.setraw(slave)
with open(stdout_path, 'wb') as out:
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=out, stderr=slave)
os.close(slave)
received = bytearray()


def read_ready(wait):
    """What the terminal has for us within `wait` seconds; None once its writers are gone."""
    if not select.select([master], [], [], wait)[0]:
        return b''
    try:
        return os.read(master, 65536) or None
    except OSError:
        return None


# Until the command ends; then what it wrote before its end is drained (a helper it started,
# such as Wine's server, may hold the terminal open longer: not waited for).
while process.poll() is None:
    chunk = read_ready(0.1)
    if chunk is None:
        break
    received += chunk
while True:
    chunk = read_ready(0)
    if not chunk:
        break
    received += chunk
code = process.wait()
with open(capture_path, 'wb') as capture:
    capture.write(received)
sys.exit(code)
