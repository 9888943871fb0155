// SPDX-License-Identifier: GPL-3.0-or-later
#include "exaggerationcontrol.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolBar>

TExaggerationControl::TExaggerationControl(QToolBar *tool_bar, int value)
    : QObject(tool_bar)
{
    QLabel *label = new QLabel(tr("Exaggeration:"));
    label->setObjectName(QStringLiteral("exaggeration_label"));
    label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    slider = new QSlider;
    slider->setObjectName(QStringLiteral("exaggeration_slider"));
    slider->setMinimum(1);
    slider->setMaximum(1000);
    slider->setSingleStep(10);
    slider->setPageStep(100);
    slider->setOrientation(Qt::Horizontal);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    slider->setMinimumWidth(200);
    spin = new QSpinBox;
    spin->setObjectName(QStringLiteral("exaggeration_spin"));
    spin->setRange(slider->minimum(), slider->maximum());
    spin->setAlignment(Qt::AlignRight);
    tool_bar->addWidget(label);
    tool_bar->addWidget(slider);
    tool_bar->addWidget(spin);
    const QString tip = tr("How many times the corrections are enlarged in the "
                           "drawing, 1 to 1000; lengths and numbers are not");
    slider->setToolTip(tip);
    spin->setToolTip(tip);
    QWidget::setTabOrder(slider, spin);
    slider->setValue(value);
    spin->setValue(value);

    connect(slider, &QSlider::valueChanged, this, [this](int changed) {
        spin->setValue(changed);
        emit Changed(changed);
    });
    connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), slider, &QSlider::setValue);
}

TExaggerationControl::~TExaggerationControl() = default;

int TExaggerationControl::Value() const
{
    return slider->value();
}
