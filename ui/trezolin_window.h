#pragma once

// Trezolin's one window. It holds the controls in indexed arrays and keeps
// the cube's state; the computation lives in core/.
//
// One click of "Провери" (Command1(1)):
//   QPushButton::clicked -> Command1_Click(1)
//     -> RunCommand(1, the method selected in List1(2), state): counts the
//        change, ApplyChange computes the eight new values and appends one
//        log line; any error becomes the outcome's message
//     -> ShowState(): the right cube's boxes, the hidden lists and the new
//        part of the log are written into the controls.
// An error stops the command where it happened; the window shows what was
// done so far and says what went wrong in a message box.

#include "core/change.h"
#include "core/commands.h"
#include "runtime/random_source.h"

#include <QWidget>

#include <array>
#include <cstddef>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace trezolin {

namespace design {
struct Control;
}
class CubePicture;

class Trezolin : public QWidget {
public:
    // With no random source the window seeds one from the clock.
    explicit Trezolin(std::unique_ptr<RandomSource> random = nullptr, QWidget* parent = nullptr);
    ~Trezolin() override;

    // The command buttons' handler: 0 is "Начало", 1 is "Провери".
    void Command1_Click(int index);

    // The controls, by array name and index.
    QLineEdit* Wryh_N(int i) const { return wryhN_.at(i); }
    QLineEdit* Wryh_k(int i) const { return wryhK_.at(i); }
    QListWidget* List1(int i) const { return list1_.at(i); }
    QPlainTextEdit* Text1(int i) const { return text1_.at(i); }
    QLabel* Label1(int i) const { return label1_.at(i); }
    QPushButton* Command1(int i) const { return command1_.at(i); }
    CubePicture* Picture1(int i) const { return picture1_.at(i); }

    std::int16_t ChangeCount() const { return state_.changeCount; }

private:
    void CreateControls();
    QWidget* CreateControl(const design::Control& control);
    void Form_Load(std::unique_ptr<RandomSource> random);
    RoundingMethod SelectedMethod() const;
    void ShowState(LogChange logChange);
    void ShowLog(LogChange change);
    void ReportError(const QString& message);

    std::array<QLineEdit*, kVertexCount> wryhN_{};
    std::array<QLineEdit*, kVertexCount> wryhK_{};
    std::array<QListWidget*, 3> list1_{};
    std::array<QPlainTextEdit*, 2> text1_{};
    std::array<QLabel*, 4> label1_{};
    std::array<QPushButton*, 2> command1_{};
    std::array<CubePicture*, 2> picture1_{};

    CubeState state_;
    std::array<std::string, kVertexCount> startTexts_;
    std::unique_ptr<RandomSource> random_;
    // How much of state_.log the log box shows; the log only grows or is emptied.
    std::size_t shownLogSize_ = 0;
};

} // namespace trezolin
