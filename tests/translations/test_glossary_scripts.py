#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""The glossary's check refuses each kind of fault it exists for, and the
Weblate export writes one language's terms with their ids as context.
  python3 -m unittest discover -s tests/translations"""
import contextlib
import csv
import io
import os
import sys
import tempfile
import unittest

# The scripts' folder goes to Weblate as it is: no compiled copies left in it.
sys.dont_write_bytecode = True
TRANSLATIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'translations')
sys.path.insert(0, TRANSLATIONS)
import check_glossary  # noqa: E402
import weblate_glossary  # noqa: E402

HEADER = check_glossary.COLUMNS
GOOD = ['azimuth', 'azimuth', 'Azimut', 'azimut', 'azimut', 'azimute', 'azimut', 'azymut', 'azimut', 'азимут',
        'السمت', 'The dish direction']
SECOND = ['elevation', 'elevation', 'Elevation', 'élévation', 'elevación', 'elevação', 'elevazione', 'elewacja',
          'elevasyon', 'угол места', 'زاوية الارتفاع', 'Above the horizon']


def sources_naming(ids, languages=check_glossary.LANGUAGES):
    return ''.join(f'## {language}\n\n' + ''.join(f'- `{term}`: X1\n' for term in ids) for language in languages)


def replaced(row, column, value):
    changed = list(row)
    changed[HEADER.index(column)] = value
    return changed


class Case(unittest.TestCase):
    def write(self, header, rows, sources):
        """A glossary and its sources in a folder of their own: the two paths."""
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        glossary = os.path.join(folder.name, 'glossary.csv')
        with open(glossary, 'w', encoding='utf-8', newline='') as file:
            csv.writer(file, lineterminator='\n').writerows([header] + rows)
        with open(os.path.join(folder.name, 'glossary-sources.md'), 'w', encoding='utf-8') as file:
            file.write(sources)
        return [glossary, os.path.join(folder.name, 'glossary-sources.md')]


def run(main, arguments):
    out, err = io.StringIO(), io.StringIO()
    with contextlib.redirect_stdout(out), contextlib.redirect_stderr(err):
        status = main(arguments)
    return status, out.getvalue(), err.getvalue()


class CheckGlossary(Case):
    def test_the_repository_glossary_passes(self):
        status, out, err = run(check_glossary.main, [])
        self.assertEqual((status, err), (0, ''))
        self.assertIn('9 languages', out)

    def test_a_sound_glossary_passes(self):
        paths = self.write(HEADER, [GOOD, SECOND], sources_naming(['azimuth', 'elevation']))
        self.assertEqual(run(check_glossary.main, paths)[0], 0)

    def test_each_fault_is_refused_with_its_line(self):
        both = sources_naming(['azimuth', 'elevation'])
        cases = [
            ('an empty language', [GOOD, replaced(SECOND, 'pl', '')], both, 'glossary.csv:3: pl is empty (term elevation)'),
            ('a blank-only cell', [GOOD, replaced(SECOND, 'ar', '  ')], both, 'glossary.csv:3: ar is empty'),
            ('empty notes', [replaced(GOOD, 'notes', '')], sources_naming(['azimuth']), 'notes is empty'),
            ('a leading blank', [replaced(GOOD, 'de', ' Azimut')], sources_naming(['azimuth']),
             "glossary.csv:2: de starts or ends with a blank (term azimuth): ' Azimut'"),
            ('a trailing no-break space', [replaced(GOOD, 'fr', 'azimut\u00a0')], sources_naming(['azimuth']),
             'fr starts or ends with a blank'),
            ('a duplicate id', [GOOD, replaced(SECOND, 'id', 'azimuth')], both,
             'glossary.csv:3: the id azimuth is already used on line 2'),
            ('a missing id', [replaced(GOOD, 'id', '')], sources_naming(['azimuth']), 'id is empty (term (no id))'),
            ('an id that is no plain name', [replaced(GOOD, 'id', 'Azimuth angle')], sources_naming(['azimuth']),
             "the id 'Azimuth angle' is not lower-case"),
            ('a short row', [GOOD[:-1]], sources_naming(['azimuth']), 'glossary.csv:2: 11 cells, not 12'),
            ('no terms', [], '', 'glossary.csv: no terms'),
            ('a language without sources', [GOOD], sources_naming(['azimuth'], check_glossary.LANGUAGES[:-1]),
             'glossary-sources.md: no section "## ar"'),
            ('a term without a source', [GOOD, SECOND], sources_naming(['azimuth']),
             'the de section names no source for elevation'),
        ]
        for name, rows, sources, message in cases:
            with self.subTest(name):
                status, out, err = run(check_glossary.main, self.write(HEADER, rows, sources))
                self.assertEqual(status, 1)
                self.assertEqual(out, '')
                self.assertIn(message, err)

    def test_columns_out_of_order_are_refused(self):
        swapped = replaced(replaced(HEADER, 'de', 'fr'), 'fr', 'de')
        status, _, err = run(check_glossary.main, self.write(swapped, [GOOD], sources_naming(['azimuth'])))
        self.assertEqual(status, 1)
        self.assertIn('glossary.csv:1: the columns must be id,en,de,fr,', err)


class WeblateGlossary(Case):
    def test_one_language_with_ids_as_context(self):
        glossary, _ = self.write(HEADER, [GOOD, SECOND], '')
        status, out, _ = run(weblate_glossary.main, ['ru', glossary])
        self.assertEqual(status, 0)
        self.assertEqual(list(csv.reader(io.StringIO(out))),
                         [['source', 'target', 'context'], ['azimuth', 'азимут', 'azimuth'],
                          ['elevation', 'угол места', 'elevation']])

    def test_refusals(self):
        broken, _ = self.write(HEADER, [replaced(GOOD, 'tr', '')], '')
        for name, arguments, status in [('no language', [], 2), ('English is the source, not a target', ['en'], 2),
                                        ('a glossary with a fault', ['tr', broken], 1)]:
            with self.subTest(name):
                self.assertEqual(run(weblate_glossary.main, arguments)[:2], (status, ''))


if __name__ == '__main__':
    unittest.main()
