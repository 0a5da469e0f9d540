// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace azimora::shell {

// Loads Qt's own translations (the print dialog, the standard buttons of
// message boxes) for locale from Qt's translations folder, where Debian's
// qt6-translations-l10n puts them; Azimora's own texts are not translated.
// Returns the installed translator (owned by application), or null when
// there are none for that language.
QTranslator* InstallQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale());

}  // namespace azimora::shell
