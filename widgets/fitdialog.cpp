// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "evaluation.h"
#include "measurementdata.h"
#include "messagebox.h"
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
    for (int i = 0; i < 4; ++i) {
        decimals[i] = model ? model->parameters[i].decimals : 4;
    }
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
                                   {tr("Parameter"), tr("Before"), tr("After"), tr("Uncertainty"),
                                    tr("Decimals"), tr("Controller value")});
    layout->addWidget(parameter_table);
    controller_label = new QLabel(this);
    controller_label->setObjectName(QStringLiteral("controller_label"));
    controller_label->setWordWrap(true);
    layout->addWidget(controller_label);
    line_table =
        Create_Table(this, QStringLiteral("line_table"),
                     {tr("Line"), tr("At (mm)"), tr("Gauges"), tr("Residual RMS (\u00b5m)")});
    line_table->setMaximumHeight(140);
    layout->addWidget(line_table);
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
    copy_button = buttons->addButton(tr("Copy Values"), QDialogButtonBox::ActionRole);
    copy_button->setObjectName(QStringLiteral("copy_values_button"));
    copy_button->setToolTip(tr("Copies the controller values as text, one parameter per line"));
    copy_button->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);

    connect(fit_button, &QPushButton::clicked, this, &TFitDialog::Fit);
    connect(copy_button, &QPushButton::clicked, this,
            [this]() { QApplication::clipboard()->setText(Controller_Text()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &TFitDialog::Apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QCheckBox *box : free_boxes) {
        connect(box, &QCheckBox::toggled, apply_button,
                [this]() { apply_button->setEnabled(false); });
    }

    int measured = 0;
    for (const TMeasurementData::TMeasurement &measurement : data->Measurements()) {
        measured += measurement.has_measured_length;
    }
    QStringList lines{tr("%1 of %2 measurements have a measured length.")
                          .arg(measured)
                          .arg(data->Measurements().size())};
    // What the measurements determine only poorly is not fitted unless the user asks for it.
    const TParameterFit::TIdentifiability start =
        TParameterFit::Identifiability(model_type, parameters, range_y, range_z, *data, defaults);
    for (const TParameterFit::TPoorlyDetermined &poor : start.poorly_determined) {
        free_boxes[poor.number - 1]->setChecked(false);
    }
    lines << TParameterFit::Poorly_Determined_Reasons(model_type, start);
    if (!start.poorly_determined.empty()) {
        lines << tr("Such parameters are held unless you tick them.");
    }
    summary_label->setText(lines.join(QLatin1Char('\n')));
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
    // LK's 2 and 4 act only through their products with 1 and 3; with those at 0 nothing
    // could move them, so the fit offers to start 1 and 3 from their presets.
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    std::vector<int> zero_partners;
    for (const std::pair<int, int> &product : {std::make_pair(2, 1), std::make_pair(4, 3)}) {
        if (model_type == TModelCatalog::LK &&
            std::find(free.begin(), free.end(), product.first) != free.end() &&
            std::find(free.begin(), free.end(), product.second) == free.end() &&
            parameters[product.second - 1] == 0.0) {
            zero_partners.push_back(product.second);
        }
    }
    if (!zero_partners.empty() && model) {
        TMessageBox box(this);
        box.setWindowTitle(tr("Fit Parameters"));
        box.setIcon(QMessageBox::Question);
        box.setText(tr("Start parameters 1 and 3 from their presets?"));
        box.setInformativeText(tr("LK's parameters 2 and 4 act only through their products "
                                  "with 1 and 3. With those at 0 the measurements cannot move "
                                  "them."));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        if (box.exec() == QMessageBox::Yes) {
            for (const int number : zero_partners) {
                parameters[number - 1] = TModelCatalog::Preset_Value(*model, number - 1);
                started_from_presets.push_back(number);
            }
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

// "Condition number 8.3; largest correlation 0.957 (1 and 2)."
QString
TFitDialog::Identifiability_Text(const TParameterFit::TIdentifiability &identifiability) const
{
    double largest = 0.0;
    int first = 0;
    int second = 0;
    for (size_t i = 0; i < identifiability.correlation.size(); ++i) {
        for (size_t j = i + 1; j < identifiability.correlation.size(); ++j) {
            const double value = identifiability.correlation[i][j];
            if (std::isfinite(value) && std::fabs(value) >= std::fabs(largest)) {
                largest = value;
                first = result.free[i];
                second = result.free[j];
            }
        }
    }
    const QString condition =
        std::isfinite(identifiability.condition_number)
            ? tr("Condition number %1").arg(TNumberText::Fixed(identifiability.condition_number, 1))
            : tr("Condition number infinite (a direction is not determined)");
    if (first == 0) {
        return condition + QLatin1Char('.');
    }
    return tr("%1; largest correlation %2 (parameters %3 and %4).")
        .arg(condition, TNumberText::Fixed(largest, 5))
        .arg(first)
        .arg(second);
}

void TFitDialog::Apply()
{
    if (!result.identifiability.poorly_determined.empty() || !result.undetermined.empty()) {
        TMessageBox box(this);
        box.setWindowTitle(tr("Fit Parameters"));
        box.setIcon(QMessageBox::Warning);
        box.setText(tr("Apply parameters the measurements determine only poorly?"));
        box.setInformativeText(
            (TParameterFit::Poorly_Determined_Reasons(model_type, result.identifiability)
             << TParameterFit::Undetermined_Reason(result))
                .join(QLatin1Char('\n'))
                .trimmed());
        box.setStandardButtons(QMessageBox::Apply | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() != QMessageBox::Apply) {
            return;
        }
    }
    accept();
}

void TFitDialog::Set_Mpe(const TMpe &mpe_)
{
    mpe = mpe_;
}

std::array<double, 4> TFitDialog::Controller_Parameters() const
{
    std::array<double, 4> values{};
    for (int i = 0; i < 4; ++i) {
        values[size_t(i)] = result.parameters[i];
    }
    for (const int number : result.free) {
        values[size_t(number - 1)] =
            TParameterFit::Controller_Value(result.parameters[number - 1], decimals[number - 1]);
    }
    return values;
}

std::vector<int> TFitDialog::Applied() const
{
    std::vector<int> numbers = result.free;
    numbers.insert(numbers.end(), started_from_presets.begin(), started_from_presets.end());
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QString TFitDialog::Controller_Text() const
{
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    const std::array<double, 4> values = Controller_Parameters();
    QStringList lines;
    for (const int number : result.free) {
        lines << (model ? Parameter_Title(*model, number) : QString::number(number)) +
                     QLatin1Char('\t') +
                     TNumberText::Fixed(values[size_t(number - 1)], decimals[number - 1]);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TFitDialog::Show_Controller_Values()
{
    const std::array<double, 4> values = Controller_Parameters();
    for (int row = 0; row < parameter_table->rowCount() && row < int(result.free.size()); ++row) {
        const int number = result.free[size_t(row)];
        parameter_table->setItem(
            row, 5,
            Number_Item(TNumberText::Fixed(values[size_t(number - 1)], decimals[number - 1])));
    }
    const double rms =
        TParameterFit::Residual_Rms(model_type, values.data(), range_y, range_z, *measurement_data);
    controller_label->setText(
        tr("With the controller values: residual RMS %1 \u00b5m (%2 \u00b5m unrounded).")
            .arg(TNumberText::Fixed(rms, 3), TNumberText::Fixed(result.rms_after, 3)));
}

void TFitDialog::Show_Result()
{
    apply_button->setEnabled(result.fitted);
    copy_button->setEnabled(result.fitted);
    controller_label->clear();
    parameter_table->setRowCount(0);
    residual_table->setRowCount(0);
    line_table->setRowCount(0);
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
    if (mpe.Is_Set()) {
        const TParameterFit::TPrediction prediction =
            TParameterFit::Predict(result, *measurement_data, mpe);
        lines << tr("After compensation with these parameters, against the MPE: %1 pass, %2 "
                    "fail; largest residual %3 \u00b5m (Id %4, %5 % of its MPE).")
                     .arg(prediction.pass)
                     .arg(prediction.fail)
                     .arg(TNumberText::Fixed(prediction.largest, 2))
                     .arg(prediction.largest_id)
                     .arg(TNumberText::Fixed(prediction.largest_ratio * 100.0, 0));
    }
    for (const int number : started_from_presets) {
        lines << tr("Parameter %1 started from its preset, and Apply writes it too.").arg(number);
    }
    lines << Identifiability_Text(result.identifiability);
    lines << TParameterFit::Poorly_Determined_Reasons(model_type, result.identifiability);
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
        // The controller's resolution, per parameter.
        QSpinBox *places = new QSpinBox(parameter_table);
        places->setObjectName(QStringLiteral("decimals%1_spin").arg(number));
        places->setRange(0, 12);
        places->setValue(decimals[number - 1]);
        places->setToolTip(tr("The decimals the controller takes for this parameter"));
        connect(places, QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, number](int value) {
                    decimals[number - 1] = value;
                    Show_Controller_Values();
                });
        parameter_table->setCellWidget(row, 4, places);
    }
    Show_Controller_Values();
    // The residuals line by line: a line whose RMS stands out is where the model fails.
    for (const TParameterFit::TLine &line :
         TParameterFit::Lines(result, *measurement_data, range_y, range_z)) {
        const int row = line_table->rowCount();
        line_table->insertRow(row);
        line_table->setItem(row, 0,
                            new QTableWidgetItem(TEvaluation::Direction_Label(line.direction)));
        line_table->setItem(row, 1, Number_Item(TNumberText::Shortest(line.at)));
        line_table->setItem(row, 2, Number_Item(QString::number(line.count)));
        line_table->setItem(row, 3, Number_Item(TNumberText::Fixed(line.rms, 3)));
    }
    for (const TParameterFit::TResidual &residual : result.residuals) {
        const int row = residual_table->rowCount();
        residual_table->insertRow(row);
        residual_table->setItem(row, 0, Number_Item(QString::number(residual.id)));
        residual_table->setItem(row, 1, Number_Item(TNumberText::Fixed(residual.before, 2)));
        residual_table->setItem(row, 2, Number_Item(TNumberText::Fixed(residual.after, 2)));
    }
}
