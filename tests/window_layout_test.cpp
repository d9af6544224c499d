// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as it stands after loading: its controls, their places, texts
// and settings, the tab order and the stacking order.

#include "ui/announcer.h"
#include "ui/cube_picture.h"
#include "design/help_text.h"
#include "design/languages.h"
#include "design/window_design.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace trezolin {
namespace {

// The window tests of this file, under a suite name of their own.
using WindowLayoutTest = testing::WindowTest;

// The Qt class that stands for each kind of widget of the description.
const char* QtClassOf(const design::Control& c)
{
    switch (design::WidgetOf(c.role)) {
    case design::Widget::VertexBox: return "QLineEdit";
    case design::Widget::LogBox:
    case design::Widget::HiddenText: return "QPlainTextEdit";
    case design::Widget::ChoiceList: return "trezolin::MethodList";
    case design::Widget::HiddenList: return "QListWidget";
    case design::Widget::Button: return "trezolin::FaceButton";
    case design::Widget::Caption: return "QLabel";
    case design::Widget::Picture: return "trezolin::CubePicture";
    }
    return "";
}

QString NameOf(const design::Control& c)
{
    return QString::fromStdString(c.Name());
}

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString TextOf(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return t->toPlainText();
    if (auto* b = qobject_cast<const QPushButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return {};
}

TEST_F(WindowLayoutTest, HasTheDescribedControlsWithTheirPlacesAndTexts)
{
    EXPECT_EQ(window->size(), QSize(699, 496));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowTitle(), "Trezolin");
    EXPECT_EQ(window->font().family(), "Times New Roman");
    EXPECT_EQ(window->font().pointSize(), 12);
    EXPECT_FALSE(window->font().bold() || window->font().italic() || window->font().underline());

    int count = 0;
    for (const design::Control& c : design::kControls) {
        const QString name = NameOf(c);
        auto* w = window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        ASSERT_NE(w, nullptr) << name.toStdString();
        ++count;
        EXPECT_STREQ(w->metaObject()->className(), QtClassOf(c)) << name.toStdString();
        EXPECT_EQ(w->geometry(), QRect(c.place.left / 15, c.place.top / 15, c.place.width / 15, c.place.height / 15))
            << name.toStdString();
        EXPECT_EQ(w->isHidden(), !c.visible) << name.toStdString();
        EXPECT_EQ(w->font(), window->font()) << name.toStdString();
        EXPECT_EQ(w->toolTip(), Utf8(c.tooltip)) << name.toStdString();
        // The window keeps it by its row and finds it by its name.
        EXPECT_EQ(window->ControlAt(design::RowOf(c)), w) << name.toStdString();
        EXPECT_EQ(window->ControlNamed(c.array, c.index), w) << name.toStdString();
        // Labels and hidden controls never take the focus; every other does.
        EXPECT_EQ(w->focusPolicy(), c.TakesFocus() ? Qt::StrongFocus : Qt::NoFocus) << name.toStdString();
        const design::Widget widget = design::WidgetOf(c.role);
        if (widget != design::Widget::LogBox && widget != design::Widget::ChoiceList &&
            widget != design::Widget::HiddenList && widget != design::Widget::Picture) {
            EXPECT_EQ(TextOf(w), Utf8(c.text)) << name.toStdString();
        }
    }
    EXPECT_EQ(count, 29);
    EXPECT_EQ(window->ControlNamed("Wryh_N", 8), nullptr);
    EXPECT_EQ(window->ControlNamed("Command2", 0), nullptr);
}

TEST_F(WindowLayoutTest, FixedSizeWithACloseBoxButNoMinimiseOrMaximise)
{
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->minimumSize(), QSize(699, 496));
    EXPECT_EQ(window->maximumSize(), QSize(699, 496));
    // Centred on its screen, give or take the frame the platform adds.
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->geometry().center().x() - screen.center().x()), 4);
    EXPECT_LE(std::abs(window->geometry().center().y() - screen.center().y()), 4);
}

TEST_F(WindowLayoutTest, ControlsOverlapInTheirStackingOrder)
{
    // children() runs from back to front once raise() has ordered them; the
    // screen reader's announcer is drawn nowhere and is no control.
    std::vector<QString> backToFront;
    for (QObject* child : window->children())
        if (child->isWidgetType() && !qobject_cast<QWidget*>(child)->isWindow() &&
            child != static_cast<QObject*>(window->TheAnnouncer()))
            backToFront.push_back(child->objectName());
    std::vector<QString> expected;
    for (auto it = design::kControls.rbegin(); it != design::kControls.rend(); ++it)
        expected.push_back(NameOf(*it));
    EXPECT_EQ(backToFront, expected);
}

TEST_F(WindowLayoutTest, VertexBoxesAndLogAreLockedButSelectable)
{
    for (int i = 0; i < 8; ++i) {
        for (QLineEdit* box : {Named<QLineEdit>("Wryh_N", i), Named<QLineEdit>("Wryh_k", i)}) {
            EXPECT_TRUE(box->isReadOnly());
            EXPECT_FALSE(box->hasFrame());
            EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            EXPECT_EQ(box->maxLength(), 32767);  // Qt's default: no limit of ours
        }
    }
    // Typing into a box or into the log changes nothing.
    QLineEdit* a = Named<QLineEdit>("Wryh_N", 0);
    a->setFocus();
    QTest::keyClicks(a, "123");
    QTest::keyClick(a, Qt::Key_Backspace);
    EXPECT_EQ(a->text(), "A");
    QPlainTextEdit* log = Named<QPlainTextEdit>("Text1", 0);
    log->setFocus();
    QTest::keyClicks(log, "xyz");
    EXPECT_EQ(log->toPlainText(), QString::fromStdString(design::HelpText()).remove('\r'));
    EXPECT_TRUE(log->isReadOnly());
    EXPECT_TRUE(log->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_FALSE(Named<QPlainTextEdit>("Text1", 1)->isReadOnly());
    EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(WindowLayoutTest, TooltipsAndButtons)
{
    EXPECT_EQ(Named<QLabel>("Label1", 3)->toolTip(), "Великденско яйце");
    EXPECT_EQ(Named<QPushButton>("Command1", 0)->toolTip(), "Генерира нови числа");
    EXPECT_EQ(Named<QPushButton>("Command1", 1)->toolTip(), "Изчислява средна стойност на съседни върхове");
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(Named<QPushButton>("Command1", i)->isDefault());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Named<QLabel>("Label1", i)->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowLayoutTest, MethodListShowsAllThreeEntriesWithoutAScrollBar)
{
    QListWidget* list = Named<QListWidget>("List1", 2);
    ASSERT_EQ(list->count(), 3);
    const char* names[] = {"Round", "Int", "Fix"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list->item(row)->text(), names[row]);
        EXPECT_EQ(list->item(row)->data(Qt::UserRole).toInt(), 0);
        const QRect rect = list->visualItemRect(list->item(row));
        EXPECT_TRUE(list->viewport()->rect().contains(rect)) << names[row];
        // The entry's text fits its row.
        EXPECT_GE(rect.height(), list->fontMetrics().height()) << names[row];
    }
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(WindowLayoutTest, LoadStateShowsLettersEmptyBoxesHelpAndRound)
{
    EXPECT_EQ(LeftCube(), (std::array<QString, 8>{"A", "B", "C", "D", "E", "F", "G", "H"}));
    EXPECT_EQ(RightCube(), (std::array<QString, 8>{}));
    EXPECT_EQ(LogBox(), QString::fromStdString(design::HelpText()).remove('\r'));
    EXPECT_EQ(Named<QPlainTextEdit>("Text1", 0)->verticalScrollBar()->value(), 0);  // from the first line
    EXPECT_EQ(Named<QListWidget>("List1", 2)->currentRow(), 0);
    EXPECT_TRUE(Named<QListWidget>("List1", 2)->item(0)->isSelected());
    EXPECT_EQ(window->ChangeCount(), 0);
    EXPECT_EQ(Named<QListWidget>("List1", 0)->count(), 0);
    EXPECT_EQ(Named<QListWidget>("List1", 1)->count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), Named<CubePicture>("Picture1", 0));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(WindowLayoutTest, TabVisitsTheVisibleControlsInTabIndexOrder)
{
    std::vector<QString> expected;
    std::map<int, const design::Control*> byTab;
    for (const design::Control& c : design::kControls)
        byTab[c.tabIndex] = &c;
    for (const auto& [tab, c] : byTab)
        if (c->visible && c->role != design::Role::Caption)
            expected.push_back(NameOf(*c));

    std::vector<QString> visited;
    for (std::size_t n = 0; n < expected.size() + 1; ++n) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited.push_back(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    expected.push_back(expected.front());  // round again to the start
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowLayoutTest, OpensInTheLanguageOfABulgarianPupilsMachine)
{
    // The tests run under LANG=bg_BG.UTF-8, as the program does in a Bulgarian classroom.
    EXPECT_EQ(testing::PupilsLanguage(), design::kBulgarian);
    EXPECT_EQ(window->Language(), design::kBulgarian);
    EXPECT_EQ(window->locale().name(), "bg_BG");
}

TEST_F(WindowLayoutTest, EveryLanguageShowsItsOwnTextsAndSaysWhichItIs)
{
    const auto languages = design::Languages();
    for (std::size_t id = 0; id < languages.size(); ++id) {
        const auto language = static_cast<design::LanguageId>(id);
        const QString code = Utf8(languages[id].code);
        SCOPED_TRACE(code.toStdString());
        Open(testing::kExampleDraws, language);
        EXPECT_EQ(window->Language(), language);
        // What a screen reader takes the window's language from.
        EXPECT_EQ(window->locale().name().section('_', 0, 0), code);
        EXPECT_EQ(window->windowTitle(), "Trezolin");
        const auto& controls = design::ControlsIn(language);
        for (std::size_t row = 0; row < controls.size(); ++row) {
            const design::Control& c = controls[row];
            QWidget* w = window->ControlAt(row);
            SCOPED_TRACE(c.Name());
            EXPECT_EQ(w->locale(), window->locale());
            EXPECT_EQ(w->toolTip(), Utf8(c.tooltip));
            EXPECT_EQ(w->accessibleName(), Utf8(c.accessibleName));
            const design::Widget widget = design::WidgetOf(c.role);
            if (widget == design::Widget::Button || widget == design::Widget::Caption) {
                EXPECT_EQ(TextOf(w), Utf8(c.text));
            }
            if (widget == design::Widget::Button) {
                EXPECT_EQ(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description),
                          Utf8(c.Description()));
            }
        }
        EXPECT_EQ(LogBox(), QString::fromStdString(design::HelpText(language)).remove('\r'));
        // Only Bulgarian is the description's own text.
        const QString start = TextOf(Named<QPushButton>("Command1", 0));
        EXPECT_EQ(start == "Начало", language == design::kBulgarian);
    }
}

TEST_F(WindowLayoutTest, EveryCaptionButtonAndEntryFitsItsControlInEveryLanguage)
{
    for (std::size_t id = 0; id < design::Languages().size(); ++id) {
        SCOPED_TRACE(std::string(design::Languages()[id].code));
        Open(testing::kExampleDraws, static_cast<design::LanguageId>(id));
        EXPECT_EQ(testing::TextsThatDoNotFit(*window), std::vector<std::string>{});
        // The same after a start and a check, with the focus on a button.
        ClickStart();
        ClickCheck();
        EXPECT_TRUE(Named<QPushButton>("Command1", 1)->hasFocus());
        EXPECT_EQ(testing::TextsThatDoNotFit(*window), std::vector<std::string>{});
    }
}

TEST_F(WindowLayoutTest, TheWindowsFontHasEveryLanguagesLetters)
{
    EXPECT_EQ(testing::LettersTheFontLacks(window->font()), "")
        << "drawn with " << QFontInfo(window->font()).family().toStdString();
    const QFontMetrics metrics(window->font());
    for (const char32_t* letter = testing::kOwnLetters; *letter; ++letter)
        EXPECT_TRUE(metrics.inFontUcs4(static_cast<uint>(*letter))) << static_cast<unsigned>(*letter);
}

} // namespace
} // namespace trezolin
