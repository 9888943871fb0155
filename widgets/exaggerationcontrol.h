// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEXAGGERATIONCONTROL_H
#define TEXAGGERATIONCONTROL_H

#include <QObject>

class QSlider;
class QSpinBox;
class QToolBar;

// The exaggeration in the tool bar: a label, a slider and the same value as a number to read
// and to type, 1 to 1000.
class TExaggerationControl : public QObject
{
    Q_OBJECT

public:
    TExaggerationControl(QToolBar *tool_bar, int value);
    ~TExaggerationControl() override;

    int Value() const;
    QSlider *Slider() const { return slider; }

signals:
    void Changed(int value);

private:
    QSlider *slider;
    QSpinBox *spin;
};

#endif
