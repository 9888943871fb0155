// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTLISTMODEL_H
#define TMEASUREMENTLISTMODEL_H

#include <QAbstractListModel>
#include <vector>

class TTestDocument;

// The test's measurements as a list of names ("Measurement 7"), one row each in store order,
// kept up to date row by row as the document's measurements come and go. Each row holds no
// more than its measurement's id, so that a list of 100,000 costs a few hundred kilobytes,
// not the tens of megabytes a list of items would.
class TMeasurementListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum TRole {
        // The measurement's id, as an int.
        ID_ROLE = Qt::UserRole
    };

    explicit TMeasurementListModel(const TTestDocument *document, QObject *parent = nullptr);
    ~TMeasurementListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The measurement's id at the row; 0 for a row that is not there.
    int Id_At_Row(int row) const;
    // The row of the measurement with this id; -1 when it is not listed.
    int Row_Of_Id(int id) const;

private slots:
    void Insert_Row(int id);
    void Remove_Row(int id);
    void Reload();

private:
    const TTestDocument *document;
    // The ids the rows show. The list keeps its own copy, because the document announces a
    // removal only after the record is gone, and the rows must change together with what
    // rowCount() says.
    std::vector<int> ids;
};

#endif
