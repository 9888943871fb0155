// SPDX-License-Identifier: GPL-3.0-or-later
#include "separatorline.h"

TSeparatorLine::TSeparatorLine(const QWidget *parent)
    : QFrame(const_cast<QWidget *>(parent))
{
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Sunken);
}

TSeparatorLine::~TSeparatorLine() = default;
