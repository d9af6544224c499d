// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/method_list.h"

namespace trezolin {

MethodList::MethodList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QListWidget::itemSelectionChanged, this, &MethodList::KeepOneSelected);
}

QItemSelectionModel::SelectionFlags MethodList::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    // Choosing an entry replaces the choice; nothing takes it away.
    if (!index.isValid() || command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void MethodList::KeepOneSelected()
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty()) {
        lastSelectedRow_ = row(selected.first());
        return;
    }
    if (lastSelectedRow_ >= 0 && lastSelectedRow_ < count())
        setCurrentRow(lastSelectedRow_, QItemSelectionModel::ClearAndSelect);
}

} // namespace trezolin
