// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/announcer.h"

#include <QAccessibleWidget>

namespace trezolin {

namespace {

// The announcer as a screen reader sees it: a notification, named by its text.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
};

QAccessibleInterface* AnnouncerFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()) && object->isWidgetType())
        return new AnnouncerAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(AnnouncerFactory);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::Say(const QString& text)
{
    // With no screen reader listening, a burst of checks pays nothing for it.
    if (text.isEmpty() || !QAccessible::isActive())
        return;
    // Hidden first, so that the same text twice in a row is said twice.
    hide();
    setAccessibleName(text);
    show();
}

} // namespace trezolin
