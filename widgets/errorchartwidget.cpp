// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorchartwidget.h"

#include <QAction>
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
    // The residuals are a second look at the same results, from the chart's context menu.
    residuals_action = new QAction(tr("Show Residuals"), this);
    residuals_action->setObjectName(QStringLiteral("show_residuals_action"));
    residuals_action->setCheckable(true);
    addAction(residuals_action);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(residuals_action, &QAction::toggled, this, [this](bool shown) {
        chart_painter.Set_View(shown ? TErrorChartPainter::VIEW_RESIDUALS
                                     : TErrorChartPainter::VIEW_ERRORS);
        update();
    });
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
