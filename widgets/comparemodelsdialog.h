// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TCOMPAREMODELSDIALOG_H
#define TCOMPAREMODELSDIALOG_H

#include <QDialog>
#include <array>

#include "modelcomparison.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TTestDocument;

// Tools ▸ Compare Models: the three models fitted to the test's measured lengths, side by
// side, with the best one marked and the repeatability floor beside them. Apply Model closes
// it accepted with the chosen model and its fit; Close changes nothing.
class TCompareModelsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TCompareModelsDialog(const TTestDocument *document, const QWidget *parent = nullptr,
                                  Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCompareModelsDialog() override;

    const TModelComparison::TComparison &Comparison() const { return comparison; }
    // The chosen row's entry; nullptr when the chosen model could not be fitted.
    const TModelComparison::TEntry *Chosen() const;
    // The chosen model's fitted parameters at the decimals its controller takes.
    std::array<double, 4> Controller_Parameters() const;

private:
    void Show_Comparison();

    TModelComparison::TComparison comparison;
    QLabel *summary_label;
    QTableWidget *table;
    QPushButton *apply_button;
};

#endif
