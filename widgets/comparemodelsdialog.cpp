// SPDX-License-Identifier: GPL-3.0-or-later
#include "comparemodelsdialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "modelcatalog.h"
#include "numbertext.h"
#include "testdocument.h"

namespace
{
QTableWidgetItem *Item(const QString &text, bool number)
{
    QTableWidgetItem *item = new QTableWidgetItem(text);
    if (number) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

TCompareModelsDialog::TCompareModelsDialog(const TTestDocument *document, const QWidget *parent,
                                           Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
{
    Q_ASSERT(document);
    setWindowTitle(tr("Compare Models"));
    resize(720, 320);
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Each model fitted to the same measured lengths, from the "
                                    "parameters it has in this test."),
                                 this));
    table = new QTableWidget(0, 8, this);
    table->setObjectName(QStringLiteral("comparison_table"));
    table->setHorizontalHeaderLabels({tr("Model"), tr("Residual RMS (\u00b5m)"),
                                      tr("Largest residual (\u00b5m)"), tr("Free parameters"),
                                      tr("BIC"), tr("Poorly determined"), tr("Down to the noise"),
                                      tr("Best")});
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(table, 1);
    summary_label = new QLabel(this);
    summary_label->setObjectName(QStringLiteral("comparison_summary_label"));
    summary_label->setWordWrap(true);
    layout->addWidget(summary_label);

    QDialogButtonBox *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    apply_button = buttons->addButton(tr("Apply Model"), QDialogButtonBox::AcceptRole);
    apply_button->setObjectName(QStringLiteral("apply_model_button"));
    apply_button->setToolTip(tr("Chooses the selected model with its fitted parameters, as one "
                                "step that Undo takes back"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table, &QTableWidget::itemSelectionChanged, this,
            [this]() { apply_button->setEnabled(Chosen() != nullptr); });

    // Three fits of a long test take a moment; they show their progress and can be stopped.
    QProgressDialog progress(tr("Fitting the models\u2026"), tr("Cancel"), 0,
                             TModelCatalog::Model_Count(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(800);
    QElapsedTimer timer;
    timer.start();
    comparison = TModelComparison::Compare(*document, [&progress, &timer](int model, int) {
        if (timer.elapsed() > 200) {
            if (progress.value() != model) {
                progress.setValue(model);
            }
            QApplication::processEvents();
        }
        return !progress.wasCanceled();
    });
    progress.reset();
    Show_Comparison();
}

TCompareModelsDialog::~TCompareModelsDialog() = default;

void TCompareModelsDialog::Show_Comparison()
{
    QStringList lines;
    if (comparison.entries.empty()) {
        lines << tr("The comparison was cancelled.");
    }
    for (size_t row = 0; row < comparison.entries.size(); ++row) {
        const TModelComparison::TEntry &entry = comparison.entries[row];
        const TModelCatalog::TModel &model = TModelCatalog::Model_At(entry.model_index);
        const TParameterFit::TResult &fit = entry.fit;
        const int at = table->rowCount();
        table->insertRow(at);
        table->setItem(at, 0, Item(TModelCatalog::Name(model), false));
        if (!fit.fitted) {
            table->setItem(at, 1, Item(fit.error, false));
            continue;
        }
        QStringList poor;
        for (const TParameterFit::TPoorlyDetermined &held : entry.held) {
            poor << QString::number(held.number);
        }
        for (const TParameterFit::TPoorlyDetermined &other :
             fit.identifiability.poorly_determined) {
            poor << QString::number(other.number);
        }
        table->setItem(at, 1, Item(TNumberText::Fixed(fit.rms_after, 3), true));
        table->setItem(at, 2, Item(TNumberText::Fixed(fit.largest_after, 3), true));
        table->setItem(at, 3,
                       Item(QString::number(fit.free.size() - fit.undetermined.size()), true));
        table->setItem(at, 4, Item(TNumberText::Fixed(entry.bic, 1), true));
        table->setItem(at, 5, Item(poor.join(QStringLiteral(", ")), false));
        table->setItem(at, 6, Item(entry.reaches_floor ? tr("yes") : QString(), false));
        table->setItem(at, 7, Item(int(row) == comparison.best ? tr("best") : QString(), false));
        if (int(row) == comparison.best) {
            for (int column = 0; column < table->columnCount(); ++column) {
                QFont font = table->item(at, column)->font();
                font.setBold(true);
                table->item(at, column)->setFont(font);
            }
        }
    }
    if (comparison.has_floor) {
        lines << tr("Repeatability (pooled standard deviation of the repeated measurements): "
                    "%1 \u00b5m. A model whose residual RMS is within 25 % of it explains the "
                    "data down to the noise.")
                     .arg(TNumberText::Fixed(comparison.floor, 3));
    } else {
        lines << tr("No gauge was measured twice, so there is no repeatability to hold the "
                    "models against.");
    }
    lines << tr("BIC = n ln(RSS/n) + k ln(n) charges every free parameter; the lowest is best.");
    summary_label->setText(lines.join(QLatin1Char('\n')));
    if (comparison.best >= 0) {
        table->selectRow(comparison.best);
    }
    apply_button->setEnabled(Chosen() != nullptr);
}

const TModelComparison::TEntry *TCompareModelsDialog::Chosen() const
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty()) {
        return nullptr;
    }
    const int row = selected.first()->row();
    if (row < 0 || row >= int(comparison.entries.size()) ||
        !comparison.entries[size_t(row)].fit.fitted) {
        return nullptr;
    }
    return &comparison.entries[size_t(row)];
}

std::array<double, 4> TCompareModelsDialog::Controller_Parameters() const
{
    std::array<double, 4> values{};
    const TModelComparison::TEntry *entry = Chosen();
    if (!entry) {
        return values;
    }
    const TModelCatalog::TModel &model = TModelCatalog::Model_At(entry->model_index);
    for (int i = 0; i < 4; ++i) {
        values[size_t(i)] = entry->fit.parameters[i];
    }
    for (const int number : entry->fit.free) {
        values[size_t(number - 1)] = TParameterFit::Controller_Value(
            entry->fit.parameters[number - 1], model.parameters[number - 1].decimals);
    }
    return values;
}
