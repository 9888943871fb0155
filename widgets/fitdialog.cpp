// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "measurementdata.h"
#include "modelcatalog.h"
#include "numbertext.h"

namespace
{
QTableWidgetItem *Number_Item(const QString &text)
{
    QTableWidgetItem *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidget *Create_Table(QWidget *parent, const QString &name, const QStringList &headers)
{
    QTableWidget *table = new QTableWidget(0, headers.size(), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}
// "2 Bend2 (mm/m2/m)": the parameter's number, name and unit.
QString Parameter_Title(const TModelCatalog::TModel &model, int number)
{
    return QStringLiteral("%1 %2 (%3)")
        .arg(number)
        .arg(TModelCatalog::Parameter_Name(model, number - 1),
             QString::fromLatin1(model.parameters[number - 1].units));
}
} // namespace

TFitDialog::TFitDialog(int model_type_, const double parameters_[4], const double &range_y_,
                       const double &range_z_, const TMeasurementData *data, const QWidget *parent,
                       Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
    , model_type(model_type_)
    , range_y(range_y_)
    , range_z(range_z_)
    , measurement_data(data)
    , result()
    , free_boxes()
{
    Q_ASSERT(data);
    std::copy(parameters_, parameters_ + 4, parameters);
    setWindowTitle(tr("Fit Parameters"));
    resize(620, 560);

    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Finds the parameters of the %1 model that explain the measured lengths.")
                       .arg(model ? TModelCatalog::Name(*model) : tr("(no)")),
                   this));

    QHBoxLayout *free_row = new QHBoxLayout;
    free_row->addWidget(new QLabel(tr("Free parameters:"), this));
    const std::vector<int> defaults = TParameterFit::Default_Free(model_type);
    for (int i = 0; i < 4; ++i) {
        const bool used = model && i < model->parameter_count;
        free_boxes[i] =
            new QCheckBox(used ? Parameter_Title(*model, i + 1) : QString::number(i + 1), this);
        free_boxes[i]->setObjectName(QStringLiteral("free%1_box").arg(i + 1));
        free_boxes[i]->setChecked(std::find(defaults.begin(), defaults.end(), i + 1) !=
                                  defaults.end());
        free_boxes[i]->setVisible(used);
        free_row->addWidget(free_boxes[i]);
    }
    free_row->addStretch(1);
    layout->addLayout(free_row);

    summary_label = new QLabel(this);
    summary_label->setObjectName(QStringLiteral("fit_summary_label"));
    summary_label->setWordWrap(true);
    summary_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_label);

    parameter_table = Create_Table(this, QStringLiteral("parameter_table"),
                                   {tr("Parameter"), tr("Before"), tr("After"), tr("Uncertainty")});
    layout->addWidget(parameter_table);
    residual_table =
        Create_Table(this, QStringLiteral("residual_table"),
                     {tr("Id"), tr("Residual before (\u00b5m)"), tr("Residual after (\u00b5m)")});
    layout->addWidget(residual_table, 1);

    QDialogButtonBox *buttons = new QDialogButtonBox(this);
    fit_button = buttons->addButton(tr("Fit"), QDialogButtonBox::ActionRole);
    fit_button->setObjectName(QStringLiteral("fit_button"));
    apply_button = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
    apply_button->setObjectName(QStringLiteral("apply_button"));
    apply_button->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);

    connect(fit_button, &QPushButton::clicked, this, &TFitDialog::Fit);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QCheckBox *box : free_boxes) {
        connect(box, &QCheckBox::toggled, apply_button,
                [this]() { apply_button->setEnabled(false); });
    }

    int measured = 0;
    for (const TMeasurementData::TMeasurement &measurement : data->Measurements()) {
        measured += measurement.has_measured_length;
    }
    summary_label->setText(tr("%1 of %2 measurements have a measured length.")
                               .arg(measured)
                               .arg(data->Measurements().size()));
}

TFitDialog::~TFitDialog() = default;

void TFitDialog::Fit()
{
    std::vector<int> free;
    for (int i = 0; i < 4; ++i) {
        if (!free_boxes[i]->isHidden() && free_boxes[i]->isChecked()) {
            free.push_back(i + 1);
        }
    }
    // A fit of a thousand measurements takes well under a second; a longer one shows its
    // progress and can be cancelled.
    QProgressDialog progress(tr("Fitting the parameters\u2026"), tr("Cancel"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(800);
    QElapsedTimer timer;
    timer.start();
    result = TParameterFit::Fit(model_type, parameters, range_y, range_z, *measurement_data, free,
                                [&progress, &timer](int iteration) {
                                    if (timer.elapsed() > 200) {
                                        progress.setLabelText(tr("Fitting the parameters\u2026 "
                                                                 "(iteration %1)")
                                                                  .arg(iteration + 1));
                                        QApplication::processEvents();
                                    }
                                    return !progress.wasCanceled();
                                });
    progress.reset();
    Show_Result();
}

void TFitDialog::Show_Result()
{
    apply_button->setEnabled(result.fitted);
    parameter_table->setRowCount(0);
    residual_table->setRowCount(0);
    if (!result.fitted) {
        summary_label->setText(result.error);
        return;
    }
    QStringList lines;
    lines << tr("%1 measured lengths used, %2 iterations.")
                 .arg(result.measurements_used)
                 .arg(result.iterations);
    lines << tr("Residual RMS %1 \u00b5m before, %2 \u00b5m after; largest residual %3 \u00b5m "
                "before, %4 \u00b5m after.")
                 .arg(TNumberText::Fixed(result.rms_before, 3),
                      TNumberText::Fixed(result.rms_after, 3),
                      TNumberText::Fixed(result.largest_before, 3),
                      TNumberText::Fixed(result.largest_after, 3));
    const QString reason = TParameterFit::Undetermined_Reason(result);
    if (!reason.isEmpty()) {
        lines << reason;
    }
    summary_label->setText(lines.join(QLatin1Char('\n')));

    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    for (const int number : result.free) {
        const int row = parameter_table->rowCount();
        parameter_table->insertRow(row);
        const QString name = model ? Parameter_Title(*model, number) : QString::number(number);
        parameter_table->setItem(row, 0, new QTableWidgetItem(name));
        parameter_table->setItem(row, 1,
                                 Number_Item(TNumberText::Parameter(result.initial[number - 1])));
        parameter_table->setItem(
            row, 2, Number_Item(TNumberText::Parameter(result.parameters[number - 1])));
        const bool undetermined = std::find(result.undetermined.begin(), result.undetermined.end(),
                                            number) != result.undetermined.end();
        parameter_table->setItem(
            row, 3,
            Number_Item(undetermined ? tr("not determined")
                        : result.has_uncertainty[number - 1]
                            ? QStringLiteral("\u00b1 ") +
                                  TNumberText::Shortest(result.uncertainty[number - 1])
                            : QString()));
    }
    for (const TParameterFit::TResidual &residual : result.residuals) {
        const int row = residual_table->rowCount();
        residual_table->insertRow(row);
        residual_table->setItem(row, 0, Number_Item(QString::number(residual.id)));
        residual_table->setItem(row, 1, Number_Item(TNumberText::Fixed(residual.before, 2)));
        residual_table->setItem(row, 2, Number_Item(TNumberText::Fixed(residual.after, 2)));
    }
}
