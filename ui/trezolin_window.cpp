#include "ui/trezolin_window.h"

#include "core/commands.h"
#include "design/help_text.h"
#include "design/window_design.h"
#include "runtime/errors.h"
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

QRect FromTwips(int left, int top, int width, int height)
{
    constexpr int k = design::kTwipsPerPixel;
    return {left / k, top / k, width / k, height / k};
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
    box->setReadOnly(c.locked);
    // Reachable with Tab, for keyboard and screen-reader users; drawn without a border instead.
    box->setFrame(false);
    box->setAlignment((c.alignment == design::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                      Qt::AlignVCenter);
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
    if (c.locked) {
        box->setReadOnly(true);
        // Read-only, yet pupils can still move through it, select and copy with the keyboard.
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
        box->setTabChangesFocus(true);
        // Only the program writes it, and never takes anything back: no undo history to keep.
        box->setUndoRedoEnabled(false);
    }
    return box;
}

QListWidget* NewList(QWidget* parent, const design::Control& c)
{
    // A list the user chooses from keeps one entry chosen; the hidden ones are plain stores.
    QListWidget* list = c.entries.empty() ? new QListWidget(parent) : new MethodList(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    for (std::string_view entry : c.entries) {
        auto* item = new QListWidgetItem(FromUtf8(entry), list);
        item->setData(Qt::UserRole, 0);
    }
    SetColours(list, c, QPalette::Base, QPalette::Text);
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
    label->setAlignment(c.alignment == design::Alignment::Centre ? Qt::AlignCenter : Qt::AlignLeft);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    SetColours(label, c, QPalette::Window, QPalette::WindowText);
    return label;
}

void ReplaceEntries(QListWidget* list, const std::vector<std::string>& entries)
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

Trezolin::Trezolin(std::unique_ptr<RandomSource> random, QWidget* parent) : QWidget(parent)
{
    const design::Window& w = design::kWindow;
    setObjectName(QStringLiteral("Trezolin"));
    setWindowTitle(FromUtf8(w.title));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(FromTwips(0, 0, w.clientWidth, w.clientHeight).size());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(w.background, p));
    setPalette(p);
    QFont font(FromUtf8(w.fontFamily), w.fontPoints);
    font.setWeight(static_cast<QFont::Weight>(w.fontWeight));
    setFont(font);

    CreateControls();
    Form_Load(std::move(random));

    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

Trezolin::~Trezolin() = default;

QWidget* Trezolin::CreateControl(const design::Control& c)
{
    QWidget* w = nullptr;
    switch (c.kind) {
    case design::ControlKind::TextBox:
        if (c.multiLine) {
            w = text1_.at(c.index) = NewTextBox(this, c);
        } else {
            auto& cube = c.array == "Wryh_N" ? wryhN_ : wryhK_;
            w = cube.at(c.index) = NewVertexBox(this, c);
        }
        break;
    case design::ControlKind::ListBox:
        w = list1_.at(c.index) = NewList(this, c);
        break;
    case design::ControlKind::CommandButton: {
        QPushButton* button = command1_.at(c.index) = NewCommandButton(this, c);
        connect(button, &QPushButton::clicked, this, [this, i = c.index] { Command1_Click(i); });
        w = button;
        break;
    }
    case design::ControlKind::Label:
        w = label1_.at(c.index) = NewLabel(this, c);
        break;
    case design::ControlKind::PictureBox:
        w = picture1_.at(c.index) = new CubePicture(this);
        break;
    }
    w->setObjectName(QStringLiteral("%1(%2)").arg(FromUtf8(c.array)).arg(c.index));
    w->setGeometry(FromTwips(c.left, c.top, c.width, c.height));
    w->setVisible(c.visible);
    if (!c.tooltip.empty())
        w->setToolTip(FromUtf8(c.tooltip));
    if (!c.accessibleName.empty())
        w->setAccessibleName(FromUtf8(c.accessibleName));
    // A button's tooltip is what a screen reader reads after its caption.
    const std::string_view description = c.accessibleDescription.empty() ? c.tooltip : c.accessibleDescription;
    if (!description.empty() && c.kind != design::ControlKind::Label)
        w->setAccessibleDescription(FromUtf8(description));
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

    for (int i = 0; i < kVertexCount; ++i)
        startTexts_[i] = wryhN_[i]->text().toStdString();

    // Three entries fit the list's height exactly, without a scroll bar.
    QListWidget* methods = list1_[2];
    methods->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    methods->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = (methods->height() - 2 * methods->frameWidth()) / methods->count();
    for (int row = 0; row < methods->count(); ++row)
        methods->item(row)->setSizeHint(QSize(0, rowHeight));

    state_.log = design::HelpText();
    text1_[0]->setPlainText(ForDisplay(state_.log));
    shownLogSize_ = state_.log.size();

    picture1_[0]->setFocus();
}

void Trezolin::Form_Load(std::unique_ptr<RandomSource> random)
{
    random_ = random ? std::move(random) : std::make_unique<SeededRandomSource>(SeededRandomSource::FromClock());
    list1_[2]->setCurrentRow(0);
    state_.changeCount = 0;
}

void Trezolin::Command1_Click(int index)
{
    // Nothing thrown here may leave the slot into Qt's event loop, which
    // would end the program and lose the pupil's log: whatever fails, the
    // window shows what was done and says what went wrong.
    QString failure;
    try {
        const CommandOutcome outcome = RunCommand(index, SelectedMethod(), state_, startTexts_, *random_);
        failure = QString::fromStdString(outcome.error);
        ShowState(outcome.log);
    } catch (...) {
        if (failure.isEmpty())
            failure = QString::fromUtf8(kUnexpectedErrorMessage.data(),
                                        static_cast<qsizetype>(kUnexpectedErrorMessage.size()));
    }
    if (failure.isEmpty())
        return;
    try {
        ReportError(failure);
    } catch (...) {
        // Not even the message box could be shown; the window keeps running as it stands.
    }
}

RoundingMethod Trezolin::SelectedMethod() const
{
    const QList<QListWidgetItem*> selected = list1_[2]->selectedItems();
    if (selected.isEmpty())
        return RoundingMethod::None;
    return static_cast<RoundingMethod>(list1_[2]->row(selected.first()));
}

void Trezolin::ShowState(LogChange logChange)
{
    for (int i = 0; i < kVertexCount; ++i) {
        SetTextIfChanged(wryhN_[i], startTexts_[i]);
        SetTextIfChanged(wryhK_[i], state_.vertexTexts[i]);
    }
    ReplaceEntries(list1_[0], state_.previousValues);
    ReplaceEntries(list1_[1], state_.currentValues);
    ShowLog(logChange);
}

void Trezolin::ShowLog(LogChange change)
{
    QPlainTextEdit* box = text1_[0];
    const std::string& log = state_.log;
    if (change == LogChange::Replaced) {
        box->setPlainText(ForDisplay(log));
        shownLogSize_ = log.size();
        return;
    }
    if (log.size() == shownLogSize_)
        return;
    // Only the new part goes in, at the end, so a check costs the same
    // however long the log has grown; while a screen reader listens, Qt
    // announces the insertion itself. Updates stay off while the line goes in
    // and the box scrolls to it: the box is repainted once when the screen is
    // next drawn, instead of its picture being shifted at every check.
    box->setUpdatesEnabled(false);
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ForDisplay(std::string_view(log).substr(shownLogSize_)));
    shownLogSize_ = log.size();
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    box->setUpdatesEnabled(true);
}

void Trezolin::ReportError(const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("Trezolin"), message);
}

} // namespace trezolin
