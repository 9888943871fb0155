// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementlistmodel.h"

#include <algorithm>

#include "testdocument.h"

TMeasurementListModel::TMeasurementListModel(const TTestDocument *document_, QObject *parent)
    : QAbstractListModel(parent)
    , document(document_)
{
    Q_ASSERT(document);
    Reload();
    connect(document, &TTestDocument::Measurement_Added, this, &TMeasurementListModel::Insert_Row);
    connect(document, &TTestDocument::Measurement_Removed, this,
            &TMeasurementListModel::Remove_Row);
    connect(document, &TTestDocument::Measurements_Reset, this, &TMeasurementListModel::Reload);
}

TMeasurementListModel::~TMeasurementListModel() = default;

int TMeasurementListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ids.size());
}

QVariant TMeasurementListModel::data(const QModelIndex &index, int role) const
{
    const int id = Id_At_Row(index.row());
    if (!index.isValid() || id == 0) {
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return tr("Measurement %1").arg(id);
    case ID_ROLE:
        return id;
    default:
        return QVariant();
    }
}

int TMeasurementListModel::Id_At_Row(int row) const
{
    return row >= 0 && size_t(row) < ids.size() ? ids[size_t(row)] : 0;
}

int TMeasurementListModel::Row_Of_Id(int id) const
{
    // The store knows where each id stands; outside the document's own announcements the
    // rows are the store's order, which the comparison confirms.
    const size_t position = document->Measurement_Data().Position_Of(id);
    if (position < ids.size() && ids[position] == id) {
        return int(position);
    }
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : int(found - ids.begin());
}

void TMeasurementListModel::Insert_Row(int id)
{
    const size_t position = document->Measurement_Data().Position_Of(id);
    if (position > ids.size()) {
        return;
    }
    beginInsertRows(QModelIndex(), int(position), int(position));
    ids.insert(ids.begin() + std::ptrdiff_t(position), id);
    endInsertRows();
}

void TMeasurementListModel::Remove_Row(int id)
{
    const int row = Row_Of_Id(id);
    if (row < 0) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    ids.erase(ids.begin() + row);
    endRemoveRows();
}

void TMeasurementListModel::Reload()
{
    beginResetModel();
    ids.clear();
    ids.reserve(document->Measurements().size());
    for (const auto &measurement : document->Measurements()) {
        ids.push_back(measurement.id);
    }
    endResetModel();
}
