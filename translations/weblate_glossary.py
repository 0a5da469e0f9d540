#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Writes one language of the glossary as the bilingual CSV that Weblate's
glossary takes on upload (source, target, context): the English term, the
language's term, and the term's id as context, so that two terms with the
same English word stay apart. A glossary that fails check_glossary.py is not
written.
  weblate_glossary.py <language> [glossary.csv] > glossary-<language>.csv"""
import csv
import os
import sys

from check_glossary import COLUMNS, HERE, LANGUAGES, glossary_faults, read_glossary


def main(arguments):
    if not arguments or arguments[0] not in LANGUAGES:
        print(f'usage: weblate_glossary.py <{"|".join(LANGUAGES)}> [glossary.csv]', file=sys.stderr)
        return 2
    language = arguments[0]
    glossary = arguments[1] if len(arguments) > 1 else os.path.join(HERE, 'glossary.csv')
    header, rows = read_glossary(glossary)
    faults = glossary_faults(header, rows, os.path.basename(glossary))
    if faults:
        print('\n'.join(faults), file=sys.stderr)
        return 1
    column = COLUMNS.index(language)
    writer = csv.writer(sys.stdout, lineterminator='\n')
    writer.writerow(['source', 'target', 'context'])
    for _, row in rows:
        writer.writerow([row[1], row[column], row[0]])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
