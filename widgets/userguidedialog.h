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

private:
    QTextBrowser *browser;
};

#endif
