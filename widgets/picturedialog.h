// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPICTUREDIALOG_H
#define TPICTUREDIALOG_H

#include <QDialog>

class QCheckBox;
class QSpinBox;

// The size of an exported picture: the display's size by default, and for PNG optionally
// twice as fine for print.
class TPictureDialog : public QDialog
{
    Q_OBJECT

public:
    TPictureDialog(const QSize &size, bool png, const QWidget *parent = nullptr,
                   Qt::WindowFlags flags = Qt::WindowFlags());
    ~TPictureDialog() override;

    QSize Picture_Size() const;
    int Scale() const;

private:
    QSpinBox *width_box;
    QSpinBox *height_box;
    QCheckBox *twice_box;
};

#endif
