// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The method list: a single-choice list that always keeps exactly one entry
// selected. A pupil can choose another entry with the mouse or the keyboard,
// but never none: Ctrl+click or Ctrl+Space on the chosen entry, or a click
// below the last one, would otherwise leave nothing selected and turn every
// later check into zeros.

#include <QListWidget>

namespace trezolin {

class MethodList : public QListWidget {
    Q_OBJECT

public:
    explicit MethodList(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    // Puts the selection back on the last chosen entry if anything else
    // (an accessibility action, say) emptied it.
    void KeepOneSelected();

    int lastSelectedRow_ = -1;
};

} // namespace trezolin
