// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorchartwidget.h"

#include <QAction>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "numbertext.h"

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
    // A point names its measurement while the mouse rests on it.
    setMouseTracking(true);
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

namespace
{
// Half a marker and a little more: a point is easy to hit without taking its neighbour's.
const double hit_radius = 6.0;
} // namespace

QString TErrorChartWidget::Point_Text(const QPoint &position) const
{
    bool measured = false;
    const int row = chart_painter.Result_At(QPointF(position), hit_radius, &measured);
    if (row < 0 || row >= int(results_model->Results().size())) {
        return QString();
    }
    const TEvaluation::TResult &result = results_model->Results()[size_t(row)];
    const bool residuals = chart_painter.View() == TErrorChartPainter::VIEW_RESIDUALS;
    QString what;
    double value = result.error;
    if (residuals) {
        what = tr("residual");
        value = result.residual;
    } else if (measured) {
        what = tr("measured error");
        value = result.measured_error;
    } else {
        what = tr("simulated error");
    }
    return tr("Id %1, %2 mm: %3 %4 \u00b5m")
        .arg(result.id)
        .arg(TNumberText::Shown(result.nominal_length, 4), what, TNumberText::Shown(value, 2));
}

void TErrorChartWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QString text = Point_Text(event->pos());
    setToolTip(text);
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(mapToGlobal(event->pos()), text, this);
    }
    QWidget::mouseMoveEvent(event);
}

void TErrorChartWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int row = chart_painter.Result_At(QPointF(event->pos()), hit_radius, nullptr);
        if (row >= 0 && row < int(results_model->Results().size())) {
            emit Measurement_Clicked(results_model->Results()[size_t(row)].id);
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}
