// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorchartwidget.h"

#include <QPaintEvent>
#include <QPainter>

#include "resultsmodel.h"

TErrorChartWidget::TErrorChartWidget(const TResultsModel *model, const QWidget *parent,
                                     Qt::WindowFlags flags)
    : QWidget(const_cast<QWidget *>(parent), flags)
    , results_model(model)
{
    Q_ASSERT(model);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    connect(model, &TResultsModel::Results_Changed, this, QOverload<>::of(&QWidget::update));
}

TErrorChartWidget::~TErrorChartWidget() = default;

QSize TErrorChartWidget::minimumSizeHint() const
{
    // Narrow enough that, tabbed beside the editor, the Results dock never widens the window.
    return QSize(160, 150);
}

void TErrorChartWidget::paintEvent(QPaintEvent *event)
{
    event->accept();
    QPainter painter(this);
    std::vector<QString> directions;
    directions.reserve(results_model->Results().size());
    for (int row = 0; row < results_model->rowCount(); ++row) {
        directions.push_back(
            results_model->index(row, TResultsModel::COLUMN_DIRECTION).data().toString());
    }
    chart_painter.Paint(&painter, size(), results_model->Results(), directions,
                        results_model->Mpe());
}
