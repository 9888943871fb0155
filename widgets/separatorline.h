// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TSEPARATORLINE_H
#define TSEPARATORLINE_H

#include <QFrame>

// The sunken horizontal line that separates groups of controls.
class TSeparatorLine : public QFrame
{
    Q_OBJECT

public:
    explicit TSeparatorLine(const QWidget *parent = nullptr);
    ~TSeparatorLine() override;
};

#endif
