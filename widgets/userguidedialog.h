// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TUSERGUIDEDIALOG_H
#define TUSERGUIDEDIALOG_H

#include <QDialog>

class QTextBrowser;

// The user guide that ships inside the program, in a window of its own beside the main one.
class TUserGuideDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TUserGuideDialog(const QWidget *parent = nullptr,
                              Qt::WindowFlags flags = Qt::WindowFlags());
    ~TUserGuideDialog() override;

    QTextBrowser *Browser() const { return browser; }

    // What each part of the drawing means, in a box over the parent that leaves it usable.
    static void Show_Drawing_Legend(QWidget *parent);

private:
    QTextBrowser *browser;
};

#endif
