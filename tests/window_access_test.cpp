// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader and a keyboard user get from the window.

#include "ui/announcer.h"
#include "ui/cube_picture.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QLabel>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace trezolin {
namespace {

using testing::Line;
// The window tests of this file, under a suite name of their own.
using WindowAccessTest = testing::WindowTest;

QString NameOf(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString DescriptionOf(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Description) : QString();
}

TEST_F(WindowAccessTest, EveryControlHasABulgarianAccessibleName)
{
    const QString letters = "ABCDEFGH";
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(NameOf(Named<QLineEdit>("Wryh_N", i)), QStringLiteral("Преди, връх ") + letters[i]);
        EXPECT_EQ(NameOf(Named<QLineEdit>("Wryh_k", i)), QStringLiteral("Сега, връх ") + letters[i]);
    }
    EXPECT_EQ(NameOf(Named<QPushButton>("Command1", 0)), "Начало");
    EXPECT_EQ(DescriptionOf(Named<QPushButton>("Command1", 0)), "Генерира нови числа");
    EXPECT_EQ(NameOf(Named<QPushButton>("Command1", 1)), "Провери");
    EXPECT_EQ(DescriptionOf(Named<QPushButton>("Command1", 1)), "Изчислява средна стойност на съседни върхове");
    EXPECT_EQ(NameOf(Named<QListWidget>("List1", 2)), "Начин на закръгляване");
    EXPECT_EQ(NameOf(Named<QPlainTextEdit>("Text1", 0)), "Дневник на промените");
    EXPECT_FALSE(NameOf(Named<CubePicture>("Picture1", 0)).isEmpty());
    EXPECT_NE(NameOf(Named<CubePicture>("Picture1", 0)), NameOf(Named<CubePicture>("Picture1", 1)));
    EXPECT_EQ(NameOf(Named<QLabel>("Label1", 1)), "Преди");
    EXPECT_EQ(Named<QLabel>("Label1", 3)->toolTip(), "Великденско яйце");

    // The roles a screen reader announces.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Named<QPushButton>("Command1", 1))->role(), QAccessible::Button);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Named<QListWidget>("List1", 2))->role(), QAccessible::List);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Named<QLineEdit>("Wryh_k", 0))->role(), QAccessible::EditableText);
    // The value of a vertex box is read out as its text.
    ClickStart();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Named<QLineEdit>("Wryh_k", 0));
    EXPECT_EQ(a->text(QAccessible::Value), "-43");
    EXPECT_TRUE(a->state().readOnly);
}

// Collects the accessibility events the window sends.
std::vector<std::pair<QAccessible::Event, QString>> gEvents;

void RecordEvent(QAccessibleEvent* event)
{
    QString text;
    if (event->type() == QAccessible::TextInserted)
        text = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted().replace(
            QChar::ParagraphSeparator, QLatin1Char('\n'));
    // A notification shown: what a screen reader says unasked.
    QAccessibleInterface* iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface && iface->role() == QAccessible::Notification)
        text = iface->text(QAccessible::Name);
    gEvents.emplace_back(event->type(), text);
}

TEST_F(WindowAccessTest, TheLogAnnouncesEachNewLine)
{
    ClickStart();
    gEvents.clear();
    // What a screen reader's bridge does when it connects: accessibility becomes active.
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    QAccessible::installUpdateHandler(RecordEvent);
    platform->setActive(true);
    ClickCheck();
    ClickCheck();
    platform->setActive(false);
    QAccessible::installUpdateHandler(nullptr);

    // Exactly one insertion per check, holding the new line.
    QStringList inserted;
    for (const auto& [type, text] : gEvents)
        if (type == QAccessible::TextInserted)
            inserted << text;
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(inserted[0], Line(1, {-60, -48, -42, -39, -45, -58, -44, -39}));
    EXPECT_EQ(inserted[1], Line(2, {-44, -53, -44, -47, -52, -46, -46, -43}));
}

TEST_F(WindowAccessTest, EachResultIsSaidOnceAsANotificationTheFocusStaying)
{
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    ClickCheck();  // unheard: no screen reader listens yet
    gEvents.clear();
    QAccessible::installUpdateHandler(RecordEvent);
    platform->setActive(true);
    Named<QPushButton>("Command1", 0)->setFocus();
    ClickStart();
    ClickCheck();
    ClickCheck();
    platform->setActive(false);
    QAccessible::installUpdateHandler(nullptr);

    QStringList said;
    for (const auto& [type, text] : gEvents)
        if (type == QAccessible::ObjectShow && !text.isEmpty())
            said << text;
    EXPECT_EQ(said, (QStringList{"Ново начало, стойности от A до H: -43, -83, -41, -25, -73, -59, -19, -32.",
                                 Line(1, {-60, -48, -42, -39, -45, -58, -44, -39}).chopped(1),
                                 Line(2, {-44, -53, -44, -47, -52, -46, -46, -43}).chopped(1)}));
    EXPECT_EQ(QApplication::focusWidget(), Named<QPushButton>("Command1", 1));
    EXPECT_EQ(window->TheAnnouncer()->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowAccessTest, TabFromTheStartFocusReachesTheStartButtonAndSpacePressesIt)
{
    ASSERT_EQ(QApplication::focusWidget(), Named<CubePicture>("Picture1", 0));
    int tabs = 0;
    while (QApplication::focusWidget() != Named<QPushButton>("Command1", 0) && tabs < 40) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++tabs;
    }
    ASSERT_EQ(QApplication::focusWidget(), Named<QPushButton>("Command1", 0));
    EXPECT_EQ(tabs, 17);  // the picture, eight boxes, the picture, seven boxes
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(Named<QLineEdit>("Wryh_N", 0)->text(), "-43");
    EXPECT_EQ(LogBox(), "");
}

TEST_F(WindowAccessTest, TheFocusIsVisibleOnEveryKindOfControl)
{
    // A control looks different with the focus than without it.
    for (QWidget* w : std::initializer_list<QWidget*>{Named<QPushButton>("Command1", 0), Named<QPushButton>("Command1", 1),
                                                      Named<QLineEdit>("Wryh_k", 0), Named<CubePicture>("Picture1", 0)}) {
        Named<QPlainTextEdit>("Text1", 0)->setFocus();
        QApplication::processEvents();
        const QImage without = w->grab().toImage();
        w->setFocus();
        QApplication::processEvents();
        const QImage with = w->grab().toImage();
        EXPECT_NE(with, without) << w->objectName().toStdString();
    }
}

} // namespace
} // namespace trezolin
