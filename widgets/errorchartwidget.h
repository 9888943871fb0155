// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TERRORCHARTWIDGET_H
#define TERRORCHARTWIDGET_H

#include <QWidget>

#include "errorchartpainter.h"

class QAction;
class TResultsModel;

// Shows the error-versus-length chart of the results model; repaints when the results change.
class TErrorChartWidget : public QWidget
{
    Q_OBJECT

public:
    TErrorChartWidget(const TResultsModel *model, const QWidget *parent = nullptr,
                      Qt::WindowFlags flags = Qt::WindowFlags());
    ~TErrorChartWidget() override;

    QSize minimumSizeHint() const override;
    // Right-click ▸ Show Residuals: the residuals instead of the errors.
    QAction *Residuals_Action() const { return residuals_action; }

    // What the point under the position names: "Id 43, 1000.0000 mm: measured error
    // -6.40 µm"; empty where there is none.
    QString Point_Text(const QPoint &position) const;

signals:
    // The user clicked the point of this measurement.
    void Measurement_Clicked(int id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const TResultsModel *results_model;
    TErrorChartPainter chart_painter;
    QAction *residuals_action;
};

#endif
