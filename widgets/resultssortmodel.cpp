// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultssortmodel.h"

#include <QBrush>
#include <QColor>

#include "resultsmodel.h"

TResultsSortModel::TResultsSortModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(TResultsModel::SORT_ROLE);
}

TResultsSortModel::~TResultsSortModel() = default;

QVariant TResultsSortModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::BackgroundRole || role == Qt::ForegroundRole) {
        const bool failed = QSortFilterProxyModel::data(index, TResultsModel::FAILED_ROLE).toBool();
        if (failed) {
            return role == Qt::BackgroundRole ? QBrush(QColor(255, 222, 222))
                                              : QBrush(QColor(150, 0, 0));
        }
        // Only the model predicts a failure: a light mark, so that the rows the machine
        // really fails stand out.
        const bool simulated =
            QSortFilterProxyModel::data(index, TResultsModel::SIMULATED_FAILED_ROLE).toBool();
        if (simulated && role == Qt::BackgroundRole) {
            return QBrush(QColor(255, 243, 224));
        }
        return QVariant();
    }
    return QSortFilterProxyModel::data(index, role);
}
