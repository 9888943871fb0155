// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSSORTMODEL_H
#define TRESULTSSORTMODEL_H

#include <QSortFilterProxyModel>

// The results as the table shows them: sorted by the cells' values rather than their texts,
// and failing rows tinted (their verdict cells also say "fail", so colour is never the only
// sign).
class TResultsSortModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TResultsSortModel(QObject *parent = nullptr);
    ~TResultsSortModel() override;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

#endif
