// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trezolin_window.h"

#include "design/messages.h"
#include "ui/announcer.h"
#include "ui/application.h"
#include "ui/cube_picture.h"
#include "ui/face_button.h"
#include "ui/method_list.h"
#include "ui/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>

#include <stdexcept>
#include <string_view>
#include <utility>

namespace trezolin {

namespace {

QRect FromTwips(const design::Rect& twips)
{
    const design::Rect r = design::ToPixels(twips);
    return {r.left, r.top, r.width, r.height};
}

// The palette role that holds each of the description's colour roles.
constexpr std::array<std::pair<design::SystemColour, QPalette::ColorRole>, 4> kPaletteRoles = {{
    {design::SystemColour::Window, QPalette::Base},
    {design::SystemColour::WindowText, QPalette::WindowText},
    {design::SystemColour::ButtonFace, QPalette::Button},
    {design::SystemColour::ButtonText, QPalette::ButtonText},
}};

// A colour of the design; the desktop's roles come from the palette.
QColor ToQColor(const design::Colour& colour, const QPalette& palette)
{
    for (const auto& [role, paletteRole] : kPaletteRoles) {
        if (role == colour.system)
            return palette.color(paletteRole);
    }
    return {colour.red, colour.green, colour.blue};
}

// A log piece as the box shows it: the log keeps CR LF, the box wants LF.
QString ForDisplay(std::string_view piece)
{
    QString text = FromUtf8(piece);
    text.remove(QLatin1Char('\r'));
    return text;
}

Qt::Alignment ToQt(design::Alignment alignment)
{
    return alignment == design::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

// A vertex box: read-only, borderless, and outlined while it has the keyboard
// focus, so that a keyboard user sees where Tab has brought them.
class VertexBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLineEdit::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

void SetColours(QWidget* w, const design::Control& c, QPalette::ColorRole back, QPalette::ColorRole text)
{
    QPalette p = w->palette();
    p.setColor(back, ToQColor(c.background, p));
    p.setColor(text, ToQColor(c.foreground, p));
    w->setPalette(p);
}

QWidget* NewVertexBox(QWidget* parent, const design::Control& c)
{
    auto* box = new VertexBox(FromUtf8(c.text), parent);
    box->setReadOnly(true);
    // Reachable with Tab, for keyboard and screen-reader users; drawn without a border instead.
    box->setFrame(false);
    box->setAlignment(ToQt(c.alignment) | Qt::AlignVCenter);
    SetColours(box, c, QPalette::Base, QPalette::Text);
    return box;
}

QPlainTextEdit* NewPlainText(QWidget* parent, const design::Control& c)
{
    auto* box = new QPlainTextEdit(FromUtf8(c.text), parent);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColours(box, c, QPalette::Base, QPalette::Text);
    return box;
}

QWidget* NewTextBox(QWidget* parent, const design::Control& c)
{
    return NewPlainText(parent, c);
}

QWidget* NewLogBox(QWidget* parent, const design::Control& c)
{
    QPlainTextEdit* box = NewPlainText(parent, c);
    box->setReadOnly(true);
    // Read-only, yet pupils can still move through it, select and copy with the keyboard.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    // Only the program writes it, and never takes anything back: no undo history to keep.
    box->setUndoRedoEnabled(false);
    return box;
}

QListWidget* FillList(QListWidget* list, const design::Control& c)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    for (std::string_view entry : c.entries) {
        auto* item = new QListWidgetItem(FromUtf8(entry), list);
        item->setData(Qt::UserRole, 0);
    }
    SetColours(list, c, QPalette::Base, QPalette::Text);
    return list;
}

QWidget* NewHiddenList(QWidget* parent, const design::Control& c)
{
    return FillList(new QListWidget(parent), c);
}

QWidget* NewChoiceList(QWidget* parent, const design::Control& c)
{
    QListWidget* list = FillList(new MethodList(parent), c);
    // The entries fit the list's height exactly, without a scroll bar.
    list->setGeometry(FromTwips(c.place));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = (list->height() - 2 * list->frameWidth()) / list->count();
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSizeHint(QSize(0, rowHeight));
    return list;
}

QWidget* NewCommandButton(QWidget* parent, const design::Control& c)
{
    auto* button = new FaceButton(FromUtf8(c.text), ToQColor(c.background, parent->palette()), parent);
    // Enter presses the focused button, as Space does; there is no default button.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

QWidget* NewLabel(QWidget* parent, const design::Control& c)
{
    auto* label = new QLabel(FromUtf8(c.text), parent);
    label->setAutoFillBackground(true);
    label->setAlignment(ToQt(c.alignment) | Qt::AlignVCenter);
    label->setWordWrap(false);
    SetColours(label, c, QPalette::Window, QPalette::WindowText);
    return label;
}

QWidget* NewPicture(QWidget* parent, const design::Control&)
{
    return new CubePicture(parent);
}

using Maker = QWidget* (*)(QWidget* parent, const design::Control& control);

// The widget the window makes for each kind the description names.
constexpr std::array<std::pair<design::Widget, Maker>, 8> kMakers = {{
    {design::Widget::VertexBox, NewVertexBox},
    {design::Widget::LogBox, NewLogBox},
    {design::Widget::ChoiceList, NewChoiceList},
    {design::Widget::HiddenList, NewHiddenList},
    {design::Widget::HiddenText, NewTextBox},
    {design::Widget::Button, NewCommandButton},
    {design::Widget::Caption, NewLabel},
    {design::Widget::Picture, NewPicture},
}};

Maker MakerOf(design::Widget widget)
{
    for (const auto& [kind, make] : kMakers) {
        if (kind == widget)
            return make;
    }
    return NewLabel;
}

// The names, tooltip and description a control shows and a screen reader reads.
void Describe(QWidget* w, const design::Control& c)
{
    w->setObjectName(FromUtf8(c.Name()));
    if (!c.tooltip.empty())
        w->setToolTip(FromUtf8(c.tooltip));
    if (!c.accessibleName.empty())
        w->setAccessibleName(FromUtf8(c.accessibleName));
    // A button's tooltip is what a screen reader reads after its caption.
    if (!c.Description().empty())
        w->setAccessibleDescription(FromUtf8(c.Description()));
}

// What the lesson's presenter draws through: the setters over the window's
// controls, kept by the description's rows.
class WindowScreen final : public Screen {
public:
    WindowScreen(QWidget& window, const std::array<QWidget*, design::kControls.size()>& controls,
                 Announcer* const& announcer, design::LanguageId language)
        : window_(window), controls_(controls), announcer_(announcer), language_(language)
    {
    }

    void SetText(std::size_t row, std::string_view text) override
    {
        At<QLineEdit>(row).setText(FromUtf8(text));
    }

    void SetEntries(std::size_t row, std::span<const std::string> entries) override
    {
        auto& list = At<QListWidget>(row);
        list.clear();
        for (const std::string& entry : entries)
            list.addItem(QString::fromStdString(entry));
    }

    void SetEntry(std::size_t row, std::size_t entry, std::string_view text) override
    {
        QListWidgetItem* item = At<QListWidget>(row).item(static_cast<int>(entry));
        if (!item)
            throw std::out_of_range("no such list entry");
        item->setText(FromUtf8(text));
    }

    int ChosenRow() const override
    {
        const auto& methods = One<QListWidget>(design::Role::MethodList);
        const QList<QListWidgetItem*> selected = methods.selectedItems();
        return selected.isEmpty() ? -1 : methods.row(selected.first());
    }

    void Choose(int row) override
    {
        One<QListWidget>(design::Role::MethodList).setCurrentRow(row);
    }

    void ReplaceLog(std::string_view text) override
    {
        One<QPlainTextEdit>(design::Role::Log).setPlainText(ForDisplay(text));
    }

    void AppendLog(std::string_view text) override
    {
        auto& log = One<QPlainTextEdit>(design::Role::Log);
        // Only the new part goes in, at the end, so a check costs the same
        // however long the log has grown. Updates stay off while the line goes in
        // and the box scrolls to it: the box is repainted once when the screen is
        // next drawn, instead of its picture being shifted at every check.
        log.setUpdatesEnabled(false);
        QTextCursor cursor(log.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(ForDisplay(text));
        log.verticalScrollBar()->setValue(log.verticalScrollBar()->maximum());
        log.setUpdatesEnabled(true);
    }

    void Say(std::string_view text) override
    {
        announcer_->Say(FromUtf8(text));
    }

    void ShowMessage(std::string_view title, std::string_view text) override
    {
        QMessageBox box(QMessageBox::Warning, FromUtf8(title), FromUtf8(text), QMessageBox::Ok, &window_);
        box.button(QMessageBox::Ok)->setText(FromUtf8(design::Translate(language_, design::kMessageButton)));
        box.exec();
    }

private:
    // The widget at a row, as the kind the description makes there. A row
    // whose widget is of another kind is a fault of the program: the
    // presenter tells it as an unexpected error and writes the window anew.
    template <class W>
    W& At(std::size_t row) const
    {
        auto* widget = qobject_cast<W*>(controls_.at(row));
        if (!widget)
            throw std::logic_error("no such widget at this row");
        return *widget;
    }
    template <class W>
    W& One(design::Role role) const
    {
        return At<W>(design::RowOf(design::ControlWith(role)));
    }

    QWidget& window_;
    const std::array<QWidget*, design::kControls.size()>& controls_;
    Announcer* const& announcer_;  // made after the screen, before the first setter is called
    design::LanguageId language_;
};

} // namespace

Trezolin::Trezolin(std::unique_ptr<RandomSource> random, design::LanguageId language, QWidget* parent)
    : QWidget(parent),
      language_(language),
      screen_(std::make_unique<WindowScreen>(*this, controls_, announcer_, language)),
      presenter_(*screen_, std::move(random), language)
{
    const design::Window& w = design::kWindow;
    setObjectName(QStringLiteral("Trezolin"));
    setWindowTitle(FromUtf8(w.title));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(FromTwips({0, 0, w.clientWidth, w.clientHeight}).size());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(w.background, p));
    setPalette(p);
    QFont font(FromUtf8(w.fontFamily), w.fontPoints);
    font.setWeight(static_cast<QFont::Weight>(w.fontWeight));
    setFont(font);
    // Inherited by every control and the message box.
    setLocale(LocaleOf(language_));

    CreateControls();
    announcer_ = new Announcer(this);
    Form_Load();

    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

Trezolin::~Trezolin() = default;

QWidget* Trezolin::CreateControl(const design::Control& c)
{
    QWidget* w = MakerOf(design::WidgetOf(c.role))(this, c);
    if (design::WidgetOf(c.role) == design::Widget::Button) {
        connect(static_cast<QPushButton*>(w), &QPushButton::clicked, this,
                [this, i = c.index] { Command1_Click(i); });
    }
    Describe(w, c);
    w->setGeometry(FromTwips(c.place));
    w->setVisible(c.visible);
    w->setFocusPolicy(c.TakesFocus() ? Qt::StrongFocus : Qt::NoFocus);
    return w;
}

void Trezolin::CreateControls()
{
    // The language's controls are kControls row for row.
    const auto& controls = design::ControlsIn(language_);
    for (std::size_t row = 0; row < controls.size(); ++row)
        controls_.at(row) = CreateControl(controls[row]);
    // The table runs front to back: raising from the back leaves the first in front.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        (*it)->raise();
    const std::span<const std::size_t> order = design::TabOrder(design::Arrangement::Designed);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(controls_.at(order[i - 1]), controls_.at(order[i]));
    controls_.at(order.front())->setFocus();
}

QWidget* Trezolin::ControlNamed(std::string_view array, int index) const
{
    const design::Control* control = design::FindControl(array, index);
    return control ? controls_.at(design::RowOf(*control)) : nullptr;
}

void Trezolin::Form_Load()
{
    presenter_.Load();
}

void Trezolin::Command1_Click(int index)
{
    presenter_.Click(index);
}

} // namespace trezolin
