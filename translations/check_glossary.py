#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Checks the installer's glossary before any catalogue relies on it:
glossary.csv has the expected columns, every term a unique id and a word in
every language, no cell padded with blanks (Weblate would carry them into
its suggestions), and glossary-sources.md says for every language where each
term comes from. Prints every fault and exits 1, or one line and exits 0.
  check_glossary.py [glossary.csv [glossary-sources.md]]"""
import csv
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
LANGUAGES = ['de', 'fr', 'es', 'pt_BR', 'it', 'pl', 'tr', 'ru', 'ar']
COLUMNS = ['id', 'en'] + LANGUAGES + ['notes']
# An id is also Weblate's context for the term: plain, stable, lower case.
ID_FORM = re.compile(r'[a-z][a-z0-9_]*\Z')


def read_glossary(path):
    """The header and the rows of the glossary, each row with its line number."""
    with open(path, encoding='utf-8', newline='') as file:
        reader = csv.reader(file)
        header = next(reader, [])
        rows = [(reader.line_num, row) for row in reader]
    return header, rows


def glossary_faults(header, rows, name):
    if header != COLUMNS:
        return [f'{name}:1: the columns must be {",".join(COLUMNS)}, not {",".join(header)}']
    faults = []
    first_line = {}
    for line, row in rows:
        if len(row) != len(COLUMNS):
            faults.append(f'{name}:{line}: {len(row)} cells, not {len(COLUMNS)}')
            continue
        term = row[0] or '(no id)'
        for column, cell in zip(COLUMNS, row):
            if not cell.strip():
                faults.append(f'{name}:{line}: {column} is empty (term {term})')
            elif cell != cell.strip():
                faults.append(f'{name}:{line}: {column} starts or ends with a blank (term {term}): {cell!r}')
        if row[0] and not ID_FORM.match(row[0]):
            faults.append(f'{name}:{line}: the id {row[0]!r} is not lower-case letters, digits and _')
        if row[0] in first_line:
            faults.append(f'{name}:{line}: the id {row[0]} is already used on line {first_line[row[0]]}')
        first_line.setdefault(row[0], line)
    if not rows:
        faults.append(f'{name}: no terms')
    return faults


def sources_faults(ids, text, name):
    """Each language's section (a heading "## <code> ...") names every term id in backquotes."""
    sections = {}
    for part in re.split(r'^## ', text, flags=re.M)[1:]:
        code = part.split(None, 1)[0]
        sections[code] = set(re.findall(r'`([a-z0-9_]+)`', part))
    faults = []
    for language in LANGUAGES:
        if language not in sections:
            faults.append(f'{name}: no section "## {language}"')
            continue
        missing = [term for term in ids if term not in sections[language]]
        if missing:
            faults.append(f'{name}: the {language} section names no source for {", ".join(missing)}')
    return faults


def main(arguments):
    glossary = arguments[0] if arguments else os.path.join(HERE, 'glossary.csv')
    sources = arguments[1] if len(arguments) > 1 else os.path.join(HERE, 'glossary-sources.md')
    header, rows = read_glossary(glossary)
    faults = glossary_faults(header, rows, os.path.basename(glossary))
    if not faults:
        with open(sources, encoding='utf-8') as file:
            faults = sources_faults([row[0] for _, row in rows], file.read(), os.path.basename(sources))
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f'{os.path.basename(glossary)}: {len(rows)} terms, each in {len(LANGUAGES)} languages with its sources')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
