// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "main_window/text_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace azimora::shell {
namespace {

QHash<QString, TextOfWidget>& Registry() {
    static QHash<QString, TextOfWidget> registry;
    return registry;
}

class TextWidgetAccessible final : public QAccessibleWidget {
public:
    TextWidgetAccessible(QWidget* widget, TextOfWidget textOf)
        : QAccessibleWidget(widget, QAccessible::StaticText), textOf_(textOf) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return widget()->accessibleName().isEmpty() ? textOf_(widget()) : widget()->accessibleName();
            case QAccessible::Description:
            case QAccessible::Value: return textOf_(widget());
            default: return QAccessibleWidget::text(t);
        }
    }

private:
    TextOfWidget textOf_;
};

QAccessibleInterface* TextWidgetFactory(const QString& className, QObject* object) {
    const auto found = Registry().constFind(className);
    // Qt's accessibility cache takes ownership of the interface.
    if (found == Registry().constEnd() || object == nullptr || !object->isWidgetType()) return nullptr;
    return new TextWidgetAccessible(static_cast<QWidget*>(object), *found);
}

}  // namespace

void RegisterTextAccessibility(const char* className, TextOfWidget textOf) {
    if (Registry().isEmpty()) QAccessible::installFactory(TextWidgetFactory);
    Registry().insert(QString::fromLatin1(className), textOf);
}

}  // namespace azimora::shell
