// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/trezolin_window.h"

#include "design/messages.h"
#include "design/window_design.h"
#include "ui/announcer.h"
#include "ui/cube_picture.h"
#include "ui/face_button.h"
#include "ui/method_list.h"

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

#include <string_view>
#include <utility>
#include <vector>

namespace trezolin {

namespace {

QRect FromTwips(const design::Rect& twips)
{
    const design::Rect r = design::ToPixels(twips);
    return {r.left, r.top, r.width, r.height};
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour of the design; the desktop's roles come from the palette.
QColor ToQColor(const design::Colour& colour, const QPalette& palette)
{
    switch (colour.system) {
    case design::SystemColour::Window: return palette.color(QPalette::Base);
    case design::SystemColour::WindowText: return palette.color(QPalette::WindowText);
    case design::SystemColour::ButtonFace: return palette.color(QPalette::Button);
    case design::SystemColour::ButtonText: return palette.color(QPalette::ButtonText);
    case design::SystemColour::None: break;
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

QLineEdit* NewVertexBox(QWidget* parent, const design::Control& c)
{
    auto* box = new VertexBox(FromUtf8(c.text), parent);
    box->setReadOnly(true);
    // Reachable with Tab, for keyboard and screen-reader users; drawn without a border instead.
    box->setFrame(false);
    box->setAlignment(ToQt(c.alignment) | Qt::AlignVCenter);
    SetColours(box, c, QPalette::Base, QPalette::Text);
    return box;
}

QPlainTextEdit* NewTextBox(QWidget* parent, const design::Control& c)
{
    auto* box = new QPlainTextEdit(FromUtf8(c.text), parent);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColours(box, c, QPalette::Base, QPalette::Text);
    return box;
}

QPlainTextEdit* NewLogBox(QWidget* parent, const design::Control& c)
{
    QPlainTextEdit* box = NewTextBox(parent, c);
    box->setReadOnly(true);
    // Read-only, yet pupils can still move through it, select and copy with the keyboard.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setTabChangesFocus(true);
    // Only the program writes it, and never takes anything back: no undo history to keep.
    box->setUndoRedoEnabled(false);
    return box;
}

QListWidget* NewList(QListWidget* list, const design::Control& c)
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

QListWidget* NewChoiceList(QWidget* parent, const design::Control& c)
{
    QListWidget* list = NewList(new MethodList(parent), c);
    // The entries fit the list's height exactly, without a scroll bar.
    list->setGeometry(FromTwips(c.place));
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = (list->height() - 2 * list->frameWidth()) / list->count();
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSizeHint(QSize(0, rowHeight));
    return list;
}

QPushButton* NewCommandButton(QWidget* parent, const design::Control& c)
{
    auto* button = new FaceButton(FromUtf8(c.text), ToQColor(c.background, parent->palette()), parent);
    // Enter presses the focused button, as Space does; there is no default button.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

QLabel* NewLabel(QWidget* parent, const design::Control& c)
{
    auto* label = new QLabel(FromUtf8(c.text), parent);
    label->setAutoFillBackground(true);
    label->setAlignment(ToQt(c.alignment) | Qt::AlignVCenter);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    SetColours(label, c, QPalette::Window, QPalette::WindowText);
    return label;
}

void ReplaceEntries(QListWidget* list, std::span<const std::string> entries)
{
    // The lists hold eight entries nearly always: rename in place rather than rebuild.
    if (list->count() != static_cast<int>(entries.size())) {
        list->clear();
        for (const std::string& e : entries)
            list->addItem(QString::fromStdString(e));
        return;
    }
    for (int i = 0; i < list->count(); ++i) {
        const QString text = QString::fromStdString(entries[i]);
        if (list->item(i)->text() != text)
            list->item(i)->setText(text);
    }
}

void SetTextIfChanged(QLineEdit* box, const std::string& text)
{
    const QString value = QString::fromStdString(text);
    if (box->text() != value)
        box->setText(value);
}

} // namespace

Trezolin::Trezolin(std::unique_ptr<RandomSource> random, QWidget* parent)
    : QWidget(parent), lesson_(std::move(random))
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

    CreateControls();
    announcer_ = new Announcer(this);
    Form_Load();

    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

Trezolin::~Trezolin() = default;

QWidget* Trezolin::CreateControl(const design::Control& c)
{
    QWidget* w = nullptr;
    switch (design::WidgetOf(c.role)) {
    case design::Widget::VertexBox: {
        auto& cube = c.role == design::Role::FirstCubeVertex ? wryhN_ : wryhK_;
        w = cube.at(c.index) = NewVertexBox(this, c);
        break;
    }
    case design::Widget::LogBox:
        w = text1_.at(c.index) = log_ = NewLogBox(this, c);
        break;
    case design::Widget::HiddenText:
        w = text1_.at(c.index) = NewTextBox(this, c);
        break;
    case design::Widget::ChoiceList:
        w = list1_.at(c.index) = methods_ = NewChoiceList(this, c);
        break;
    case design::Widget::HiddenList: {
        QListWidget* list = NewList(new QListWidget(this), c);
        (c.role == design::Role::PreviousValues ? previousValues_ : currentValues_) = list;
        w = list1_.at(c.index) = list;
        break;
    }
    case design::Widget::Button: {
        QPushButton* button = command1_.at(c.index) = NewCommandButton(this, c);
        connect(button, &QPushButton::clicked, this, [this, i = c.index] { Command1_Click(i); });
        w = button;
        break;
    }
    case design::Widget::Caption:
        w = label1_.at(c.index) = NewLabel(this, c);
        break;
    case design::Widget::Picture:
        w = picture1_.at(c.index) = new CubePicture(this);
        break;
    }
    w->setObjectName(FromUtf8(c.Name()));
    w->setGeometry(FromTwips(c.place));
    w->setVisible(c.visible);
    if (!c.tooltip.empty())
        w->setToolTip(FromUtf8(c.tooltip));
    if (!c.accessibleName.empty())
        w->setAccessibleName(FromUtf8(c.accessibleName));
    // A button's tooltip is what a screen reader reads after its caption.
    if (!c.Description().empty())
        w->setAccessibleDescription(FromUtf8(c.Description()));
    return w;
}

void Trezolin::CreateControls()
{
    std::vector<QWidget*> byTabIndex(design::kControls.size());
    for (const design::Control& c : design::kControls)
        byTabIndex.at(c.tabIndex) = CreateControl(c);
    // The table runs front to back: raising from the back leaves the first in front.
    for (auto it = design::kControls.rbegin(); it != design::kControls.rend(); ++it)
        byTabIndex[it->tabIndex]->raise();
    for (std::size_t i = 1; i < byTabIndex.size(); ++i)
        QWidget::setTabOrder(byTabIndex[i - 1], byTabIndex[i]);
    byTabIndex.front()->setFocus();
}

void Trezolin::Form_Load()
{
    methods_->setCurrentRow(RowOfMethod(lesson_.State().method));
    Show(lesson_.Show());
}

void Trezolin::Command1_Click(int index)
{
    const std::optional<Command> command = ButtonCommand(index);
    if (!command)
        return;
    // Nothing thrown here may leave the slot into Qt's event loop, which
    // would end the program and lose the pupil's log: whatever fails, the
    // window shows what was done and says what went wrong.
    ErrorKind error = ErrorKind::Unexpected;
    try {
        const View view = lesson_.Run(*command, MethodOfRow(ChosenRow()));
        error = view.error;
        Show(view);
    } catch (...) {
        if (error == ErrorKind::None)
            error = ErrorKind::Unexpected;
    }
    if (error == ErrorKind::None)
        return;
    try {
        ReportError(error);
    } catch (...) {
        // Not even the message box could be shown; the window keeps running as it stands.
    }
}

int Trezolin::ChosenRow() const
{
    const QList<QListWidgetItem*> selected = methods_->selectedItems();
    return selected.isEmpty() ? -1 : methods_->row(selected.first());
}

void Trezolin::Show(const View& view)
{
    for (int i = 0; i < kVertexCount; ++i) {
        SetTextIfChanged(wryhN_[i], view.firstCube[i]);
        SetTextIfChanged(wryhK_[i], view.secondCube[i]);
    }
    ReplaceEntries(previousValues_, view.previousValues);
    ReplaceEntries(currentValues_, view.currentValues);
    ShowLog(view.logChange, view.logText);
    announcer_->Say(FromUtf8(view.announcement));
}

void Trezolin::ShowLog(LogChange change, std::string_view text)
{
    if (change == LogChange::Replaced) {
        log_->setPlainText(ForDisplay(text));
        return;
    }
    if (text.empty())
        return;
    // Only the new part goes in, at the end, so a check costs the same
    // however long the log has grown. Updates stay off while the line goes in
    // and the box scrolls to it: the box is repainted once when the screen is
    // next drawn, instead of its picture being shifted at every check.
    log_->setUpdatesEnabled(false);
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ForDisplay(text));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
    log_->setUpdatesEnabled(true);
}

void Trezolin::ReportError(ErrorKind error)
{
    QMessageBox::warning(this, FromUtf8(design::kWindow.title), FromUtf8(design::ErrorMessage(error)));
}

} // namespace trezolin
