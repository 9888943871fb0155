// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

TPictureDialog::TPictureDialog(const QSize &size, bool png, const QWidget *parent,
                               Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
{
    setWindowTitle(tr("Export Picture"));
    QFormLayout *layout = new QFormLayout(this);
    width_box = new QSpinBox(this);
    height_box = new QSpinBox(this);
    for (QSpinBox *box : {width_box, height_box}) {
        box->setRange(1, 20000);
        box->setSuffix(tr(" px"));
    }
    width_box->setValue(size.width());
    height_box->setValue(size.height());
    twice_box = new QCheckBox(tr("Twice as fine, for print"), this);
    twice_box->setVisible(png);
    layout->addRow(tr("Width:"), width_box);
    layout->addRow(tr("Height:"), height_box);
    layout->addRow(QString(), twice_box);
    QDialogButtonBox *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TPictureDialog::~TPictureDialog() = default;

QSize TPictureDialog::Picture_Size() const
{
    return QSize(width_box->value(), height_box->value());
}

int TPictureDialog::Scale() const
{
    return !twice_box->isHidden() && twice_box->isChecked() ? 2 : 1;
}
