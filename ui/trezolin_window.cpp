#include "ui/trezolin_window.h"

#include "core/commands.h"
#include "runtime/errors.h"
#include "ui/cube_picture.h"
#include "ui/face_button.h"
#include "ui/help_text.h"
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

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>
#include <vector>

namespace trezolin {

namespace {

// The window is laid out in twips, 15 to a pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

QRect FromTwips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

const QColor kWindowColour(192, 192, 255);
const QColor kLabelColour(255, 128, 0);
const QColor kVertexBoxColour(224, 224, 224);
const QColor kStartButtonColour(128, 128, 255);
const QColor kCheckButtonColour(255, 192, 128);

// A log piece as the box shows it: the log keeps CR LF, the box wants LF.
QString ForDisplay(std::string_view piece)
{
    QString text = QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size()));
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

QLineEdit* NewVertexBox(QWidget* parent, const QString& text)
{
    auto* box = new VertexBox(text, parent);
    box->setReadOnly(true);
    // Reachable with Tab, for keyboard and screen-reader users; drawn without a border instead.
    box->setFrame(false);
    box->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, kVertexBoxColour);
    p.setColor(QPalette::Text, p.color(QPalette::WindowText));
    box->setPalette(p);
    return box;
}

QPushButton* NewCommandButton(QWidget* parent, const QString& caption, const QColor& face,
                              const QString& tooltip)
{
    auto* button = new FaceButton(caption, face, parent);
    button->setToolTip(tooltip);
    // Enter presses the focused button, as Space does; there is no default button.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

QLabel* NewLabel(QWidget* parent, const QString& caption, QPalette::ColorRole textRole)
{
    auto* label = new QLabel(caption, parent);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, kLabelColour);
    p.setColor(QPalette::WindowText, p.color(textRole));
    label->setPalette(p);
    return label;
}

QListWidget* NewList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    return list;
}

QPlainTextEdit* NewTextBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
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
    setObjectName(QStringLiteral("Trezolin"));
    setWindowTitle(QStringLiteral("Trezolin"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(FromTwips(0, 0, 10485, 7440).size());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kWindowColour);
    setPalette(p);
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setWeight(QFont::Normal);
    setFont(font);

    CreateControls();
    Form_Load(std::move(random));

    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

Trezolin::~Trezolin() = default;

void Trezolin::CreateControls()
{
    for (int i = 0; i < kVertexCount; ++i) {
        startTexts_[i] = std::string(1, VertexLetter(i));
        wryhN_[i] = NewVertexBox(this, QString::fromStdString(startTexts_[i]));
        wryhK_[i] = NewVertexBox(this, QString());
        wryhN_[i]->setObjectName(QStringLiteral("Wryh_N(%1)").arg(i));
        wryhK_[i]->setObjectName(QStringLiteral("Wryh_k(%1)").arg(i));
        const QChar letter = QLatin1Char(VertexLetter(i));
        wryhN_[i]->setAccessibleName(QStringLiteral("Преди, връх %1").arg(letter));
        wryhK_[i]->setAccessibleName(QStringLiteral("Сега, връх %1").arg(letter));
    }

    list1_[0] = NewList(this);
    list1_[1] = NewList(this);
    list1_[2] = new MethodList(this);
    for (int i = 0; i < 3; ++i) {
        list1_[i]->setObjectName(QStringLiteral("List1(%1)").arg(i));
    }
    for (const char* method : {"Round", "Int", "Fix"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(method), list1_[2]);
        item->setData(Qt::UserRole, 0);
    }
    list1_[0]->hide();
    list1_[1]->hide();
    list1_[0]->setAccessibleName(QStringLiteral("Стойности преди последната промяна"));
    list1_[1]->setAccessibleName(QStringLiteral("Стойности след последната промяна"));
    list1_[2]->setAccessibleName(QStringLiteral("Начин на закръгляване"));

    for (int i = 0; i < 2; ++i) {
        text1_[i] = NewTextBox(this);
        text1_[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
    }
    text1_[0]->setReadOnly(true);
    // Read-only, yet pupils can still move through it, select and copy with the keyboard.
    text1_[0]->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1_[0]->setFocusPolicy(Qt::StrongFocus);
    text1_[0]->setTabChangesFocus(true);
    // Only the program writes the log, and never takes anything back: no undo history to keep.
    text1_[0]->setUndoRedoEnabled(false);
    text1_[1]->hide();
    text1_[0]->setAccessibleName(QStringLiteral("Дневник на промените"));
    text1_[0]->setAccessibleDescription(QStringLiteral("Условието на задачата, а след Начало по един ред за всяка промяна"));

    label1_[0] = NewLabel(this, QStringLiteral("Начин "), QPalette::ButtonText);
    label1_[1] = NewLabel(this, QStringLiteral("Преди"), QPalette::ButtonText);
    label1_[2] = NewLabel(this, QStringLiteral("Сега"), QPalette::ButtonText);
    label1_[3] = NewLabel(this, QStringLiteral("Trezolin"), QPalette::WindowText);
    label1_[3]->setToolTip(QStringLiteral("Великденско яйце"));
    for (int i = 0; i < 4; ++i)
        label1_[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));

    command1_[0] = NewCommandButton(this, QStringLiteral("Начало"), kStartButtonColour,
                                    QStringLiteral("Генерира нови числа"));
    command1_[1] = NewCommandButton(this, QStringLiteral("Провери"), kCheckButtonColour,
                                    QStringLiteral("Изчислява средна стойност на съседни върхове"));
    for (int i = 0; i < 2; ++i) {
        command1_[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        command1_[i]->setAccessibleDescription(command1_[i]->toolTip());
        connect(command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    for (int i = 0; i < 2; ++i) {
        picture1_[i] = new CubePicture(this);
        picture1_[i]->setObjectName(QStringLiteral("Picture1(%1)").arg(i));
        picture1_[i]->setAccessibleName(i == 0 ? QStringLiteral("Кубът преди промените")
                                               : QStringLiteral("Кубът сега"));
        picture1_[i]->setAccessibleDescription(
            QStringLiteral("Чертеж на куб: долна основа A, B, C, D, горна основа E, F, G, H"));
    }

    struct Placement {
        QWidget* control;
        int left, top, width, height;  // twips
        int tabIndex;
    };
    // Front to back, as the controls overlap.
    const Placement placements[] = {
        {wryhK_[5], 7560, 2160, 495, 405, 27},
        {text1_[1], 1320, 5640, 9495, 1335, 26},
        {text1_[0], 120, 5040, 10215, 2295, 22},
        {list1_[2], 9120, 1920, 1215, 915, 21},
        {list1_[1], 10080, 0, 975, 1200, 20},
        {list1_[0], 9120, 0, 975, 1200, 19},
        {command1_[1], 9120, 4440, 1215, 495, 18},
        {command1_[0], 9120, 3720, 1215, 495, 17},
        {wryhK_[7], 5760, 600, 495, 405, 16},
        {wryhK_[6], 8640, 720, 495, 405, 15},
        {wryhK_[4], 4560, 1920, 495, 405, 14},
        {wryhK_[3], 5640, 3120, 495, 405, 13},
        {wryhK_[2], 8640, 3240, 495, 405, 12},
        {wryhK_[1], 7200, 4560, 495, 405, 11},
        {wryhK_[0], 4680, 4440, 495, 405, 10},
        {picture1_[1], 4800, 840, 3975, 3855, 9},
        {wryhN_[7], 1320, 600, 495, 405, 8},
        {wryhN_[6], 4080, 720, 495, 405, 7},
        {wryhN_[5], 3000, 2160, 495, 405, 6},
        {wryhN_[4], 0, 1920, 495, 405, 5},
        {wryhN_[3], 1080, 3120, 495, 405, 4},
        {wryhN_[2], 4080, 3240, 495, 405, 3},
        {wryhN_[1], 2760, 4560, 495, 405, 2},
        {wryhN_[0], 240, 4440, 495, 405, 1},
        {picture1_[0], 240, 840, 3975, 3855, 0},
        {label1_[3], 1920, 0, 6375, 375, 28},
        {label1_[2], 6840, 480, 975, 375, 25},
        {label1_[1], 2640, 480, 975, 375, 24},
        {label1_[0], 9120, 1560, 1215, 375, 23},
    };
    std::vector<QWidget*> byTabIndex(std::size(placements));
    for (const Placement& pl : placements) {
        pl.control->setGeometry(FromTwips(pl.left, pl.top, pl.width, pl.height));
        byTabIndex.at(pl.tabIndex) = pl.control;
    }
    std::for_each(std::rbegin(placements), std::rend(placements),
                  [](const Placement& pl) { pl.control->raise(); });
    for (std::size_t i = 1; i < byTabIndex.size(); ++i)
        QWidget::setTabOrder(byTabIndex[i - 1], byTabIndex[i]);

    // Three entries fit the list's height exactly, without a scroll bar.
    QListWidget* methods = list1_[2];
    methods->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    methods->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = (methods->height() - 2 * methods->frameWidth()) / methods->count();
    for (int row = 0; row < methods->count(); ++row)
        methods->item(row)->setSizeHint(QSize(0, rowHeight));

    state_.log = HelpText();
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
