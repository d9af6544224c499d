// The window as it stands after loading: its controls, their places, texts
// and settings, the tab order and the stacking order.

#include "ui/cube_picture.h"
#include "ui/help_text.h"
#include "window_fixture.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>

#include <cstdlib>
#include <map>

namespace trezolin {
namespace {

using testing::WindowTest;

struct Expected {
    const char* name;
    const char* kind;  // Qt class
    int left, top, width, height;  // twips
    int tabIndex;
    bool hidden;
    const char* text;
};

// Front to back.
const Expected kControls[] = {
    {"Wryh_k(5)", "QLineEdit", 7560, 2160, 495, 405, 27, false, ""},
    {"Text1(1)", "QPlainTextEdit", 1320, 5640, 9495, 1335, 26, true, ""},
    {"Text1(0)", "QPlainTextEdit", 120, 5040, 10215, 2295, 22, false, nullptr},
    {"List1(2)", "trezolin::MethodList", 9120, 1920, 1215, 915, 21, false, nullptr},
    {"List1(1)", "QListWidget", 10080, 0, 975, 1200, 20, true, nullptr},
    {"List1(0)", "QListWidget", 9120, 0, 975, 1200, 19, true, nullptr},
    {"Command1(1)", "trezolin::FaceButton", 9120, 4440, 1215, 495, 18, false, "Провери"},
    {"Command1(0)", "trezolin::FaceButton", 9120, 3720, 1215, 495, 17, false, "Начало"},
    {"Wryh_k(7)", "QLineEdit", 5760, 600, 495, 405, 16, false, ""},
    {"Wryh_k(6)", "QLineEdit", 8640, 720, 495, 405, 15, false, ""},
    {"Wryh_k(4)", "QLineEdit", 4560, 1920, 495, 405, 14, false, ""},
    {"Wryh_k(3)", "QLineEdit", 5640, 3120, 495, 405, 13, false, ""},
    {"Wryh_k(2)", "QLineEdit", 8640, 3240, 495, 405, 12, false, ""},
    {"Wryh_k(1)", "QLineEdit", 7200, 4560, 495, 405, 11, false, ""},
    {"Wryh_k(0)", "QLineEdit", 4680, 4440, 495, 405, 10, false, ""},
    {"Picture1(1)", "trezolin::CubePicture", 4800, 840, 3975, 3855, 9, false, nullptr},
    {"Wryh_N(7)", "QLineEdit", 1320, 600, 495, 405, 8, false, "H"},
    {"Wryh_N(6)", "QLineEdit", 4080, 720, 495, 405, 7, false, "G"},
    {"Wryh_N(5)", "QLineEdit", 3000, 2160, 495, 405, 6, false, "F"},
    {"Wryh_N(4)", "QLineEdit", 0, 1920, 495, 405, 5, false, "E"},
    {"Wryh_N(3)", "QLineEdit", 1080, 3120, 495, 405, 4, false, "D"},
    {"Wryh_N(2)", "QLineEdit", 4080, 3240, 495, 405, 3, false, "C"},
    {"Wryh_N(1)", "QLineEdit", 2760, 4560, 495, 405, 2, false, "B"},
    {"Wryh_N(0)", "QLineEdit", 240, 4440, 495, 405, 1, false, "A"},
    {"Picture1(0)", "trezolin::CubePicture", 240, 840, 3975, 3855, 0, false, nullptr},
    {"Label1(3)", "QLabel", 1920, 0, 6375, 375, 28, false, "Trezolin"},
    {"Label1(2)", "QLabel", 6840, 480, 975, 375, 25, false, "Сега"},
    {"Label1(1)", "QLabel", 2640, 480, 975, 375, 24, false, "Преди"},
    {"Label1(0)", "QLabel", 9120, 1560, 1215, 375, 23, false, "Начин "},
};

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

TEST_F(WindowTest, HasTwentyNineControlsWithTheirPlacesAndTexts)
{
    EXPECT_EQ(window->size(), QSize(699, 496));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowTitle(), "Trezolin");
    EXPECT_EQ(window->font().family(), "Times New Roman");
    EXPECT_EQ(window->font().pointSize(), 12);
    EXPECT_FALSE(window->font().bold() || window->font().italic() || window->font().underline());

    int count = 0;
    for (const auto& e : kControls) {
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(e.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(w, nullptr) << e.name;
        ++count;
        EXPECT_STREQ(w->metaObject()->className(), e.kind) << e.name;
        EXPECT_EQ(w->geometry(), QRect(e.left / 15, e.top / 15, e.width / 15, e.height / 15)) << e.name;
        EXPECT_EQ(w->isHidden(), e.hidden) << e.name;
        EXPECT_EQ(w->font(), window->font()) << e.name;
        if (e.text) {
            EXPECT_EQ(TextOf(w), QString::fromUtf8(e.text)) << e.name;
        }
    }
    EXPECT_EQ(count, 29);
}

TEST_F(WindowTest, FixedSizeWithACloseBoxButNoMinimiseOrMaximise)
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

TEST_F(WindowTest, ControlsOverlapInTheirStackingOrder)
{
    // children() runs from back to front once raise() has ordered them.
    std::vector<QString> backToFront;
    for (QObject* child : window->children())
        if (child->isWidgetType() && !qobject_cast<QWidget*>(child)->isWindow())
            backToFront.push_back(child->objectName());
    std::vector<QString> expected;
    for (auto it = std::rbegin(kControls); it != std::rend(kControls); ++it)
        expected.push_back(QString::fromLatin1(it->name));
    EXPECT_EQ(backToFront, expected);
}

TEST_F(WindowTest, VertexBoxesAndLogAreLockedButSelectable)
{
    for (int i = 0; i < 8; ++i) {
        for (QLineEdit* box : {window->Wryh_N(i), window->Wryh_k(i)}) {
            EXPECT_TRUE(box->isReadOnly());
            EXPECT_FALSE(box->hasFrame());
            EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            EXPECT_EQ(box->maxLength(), 32767);  // Qt's default: no limit of ours
        }
    }
    // Typing into a box or into the log changes nothing.
    QLineEdit* a = window->Wryh_N(0);
    a->setFocus();
    QTest::keyClicks(a, "123");
    QTest::keyClick(a, Qt::Key_Backspace);
    EXPECT_EQ(a->text(), "A");
    QPlainTextEdit* log = window->Text1(0);
    log->setFocus();
    QTest::keyClicks(log, "xyz");
    EXPECT_EQ(log->toPlainText(), QString::fromStdString(HelpText()).remove('\r'));
    EXPECT_TRUE(log->isReadOnly());
    EXPECT_TRUE(log->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_FALSE(window->Text1(1)->isReadOnly());
    EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(WindowTest, TooltipsAndButtons)
{
    EXPECT_EQ(window->Label1(3)->toolTip(), "Великденско яйце");
    EXPECT_EQ(window->Command1(0)->toolTip(), "Генерира нови числа");
    EXPECT_EQ(window->Command1(1)->toolTip(), "Изчислява средна стойност на съседни върхове");
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(window->Command1(i)->isDefault());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->Label1(i)->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, MethodListShowsAllThreeEntriesWithoutAScrollBar)
{
    QListWidget* list = window->List1(2);
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

TEST_F(WindowTest, LoadStateShowsLettersEmptyBoxesHelpAndRound)
{
    EXPECT_EQ(LeftCube(), (std::array<QString, 8>{"A", "B", "C", "D", "E", "F", "G", "H"}));
    EXPECT_EQ(RightCube(), (std::array<QString, 8>{}));
    EXPECT_EQ(LogBox(), QString::fromStdString(HelpText()).remove('\r'));
    EXPECT_EQ(window->Text1(0)->verticalScrollBar()->value(), 0);  // from the first line
    EXPECT_EQ(window->List1(2)->currentRow(), 0);
    EXPECT_TRUE(window->List1(2)->item(0)->isSelected());
    EXPECT_EQ(window->ChangeCount(), 0);
    EXPECT_EQ(window->List1(0)->count(), 0);
    EXPECT_EQ(window->List1(1)->count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), window->Picture1(0));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(WindowTest, TabVisitsTheVisibleControlsInTabIndexOrder)
{
    std::vector<QString> expected;
    std::map<int, const Expected*> byTab;
    for (const auto& e : kControls)
        byTab[e.tabIndex] = &e;
    for (const auto& [tab, e] : byTab)
        if (!e->hidden && std::string(e->kind) != "QLabel")
            expected.push_back(QString::fromLatin1(e->name));

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

} // namespace
} // namespace trezolin
