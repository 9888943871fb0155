// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TERRORCHARTWIDGET_H
#define TERRORCHARTWIDGET_H

#include <QWidget>

#include "errorchartpainter.h"

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TResultsModel *results_model;
    TErrorChartPainter chart_painter;
};

#endif
