// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QObject;

// Screen-reader access to custom-painted widgets that show one text (the
// shadow labels, the status-bar clock): their name is the accessible name
// given to them, or else the text; the text is also their description and
// value. Qt exposes nothing of such a widget without this.
namespace azimora::shell {

using TextOfWidget = QString (*)(const QObject* widget);

// Widgets of the class (its Qt class name) become readable; once per class.
void RegisterTextAccessibility(const char* className, TextOfWidget textOf);

template <typename Widget>
void RegisterTextAccessibility() {
    RegisterTextAccessibility(Widget::staticMetaObject.className(),
                              [](const QObject* widget) { return static_cast<const Widget*>(widget)->text(); });
}

}  // namespace azimora::shell
