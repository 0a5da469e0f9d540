#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Every example of azimora-calc's manual page runs as it is shown: the page
is rendered as man shows it (groff), each command is taken from there as a
reader would copy it, run by bash with this build's azimora-calc first on
the PATH, and must print exactly the output the page shows under it.
The README's console samples are the page's examples as far as they go
(to a line "..."), so that they too show what the program prints.
  man_examples_check.py docs/azimora-calc.1.in path/to/azimora-calc [README.md]"""
import os
import re
import subprocess
import sys

page, calc = sys.argv[1], sys.argv[2]
source = open(page, encoding='utf-8').read()
examples = source[source.index('.SH EXAMPLES'):source.index('.SH SEE ALSO')]


def unescape(line):
    for roff, text in (('\\fB', ''), ('\\fP', ''), ('\\fR', ''), ('\\-', '-'), ('\\(aq', "'"), ('\\\\', '\\')):
        line = line.replace(roff, text)
    return line


# Each block: a bold command line, then its output, to the block's end.
cases = []
for block in re.findall(r'^\.nf\n\.RS 4\n(.*?)^\.RE\n\.fi$', examples, re.S | re.M):
    lines = block.rstrip('\n').split('\n')
    if not lines[0].startswith('\\fB'):
        sys.exit(f'{page}: an example block that starts with no command: {lines[0]}')
    cases.append((unescape(lines[0]), [unescape(line) for line in lines[1:]]))
if len(cases) < 4:
    sys.exit(f'{page}: only {len(cases)} examples found')

# What a reader sees and copies: the page as man renders it, no line broken.
rendered = subprocess.run(['groff', '-man', '-Tutf8', '-P-cbou', '-rLL=400n', page], capture_output=True,
                          text=True, check=True).stdout
shown = {line.strip() for line in rendered.split('\n')}

environment = dict(os.environ, PATH=os.path.dirname(os.path.abspath(calc)) + os.pathsep + os.environ['PATH'])
failures = 0
for command, expected in cases:
    if command not in shown:
        print(f'FAIL the page does not show the command as run: {command}')
        failures += 1
    run = subprocess.run(['bash', '-c', command], capture_output=True, text=True, env=environment, timeout=120)
    output = run.stdout.rstrip('\n').split('\n')
    if run.returncode != 0 or output != expected:
        failures += 1
        print(f'FAIL {command}\n  exit {run.returncode}, {run.stderr.strip()}')
        for index in range(max(len(output), len(expected))):
            got = output[index] if index < len(output) else '(nothing)'
            want = expected[index] if index < len(expected) else '(nothing)'
            if got != want:
                print(f'  line {index + 1}: page says  {want}\n  line {index + 1}: program says {got}')
                break
    else:
        print(f'ok   {command[:90]}')
if len(sys.argv) > 3:
    readme = open(sys.argv[3], encoding='utf-8').read()
    outputs = {command: expected for command, expected in cases}
    samples = re.findall(r'^```console\n\$ (.*?)\n(.*?)^```$', readme, re.S | re.M)
    for command, shown in samples:
        lines = shown.rstrip('\n').split('\n')
        if lines and lines[-1].strip() == '...':
            lines = lines[:-1]
        if command not in outputs:
            print(f'FAIL the README shows a command the manual page does not: {command}')
            failures += 1
        elif outputs[command][:len(lines)] != lines:
            print(f'FAIL the README shows other output than the manual page for: {command}')
            failures += 1
        else:
            print(f'ok   README: {command[:82]}')
    if not samples:
        print('FAIL the README shows no console sample')
        failures += 1
print('man page examples: ' + ('passed' if failures == 0 else f'{failures} failed') + f' ({len(cases)} examples)')
sys.exit(1 if failures else 0)
