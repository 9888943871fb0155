// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagebox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShowEvent>

TMessageBox::TMessageBox(const QWidget *parent)
    : QMessageBox(const_cast<QWidget *>(parent))
    , fixed_width(500)
{
    setTextFormat(Qt::RichText);
    setStyleSheet(QStringLiteral("dialogbuttonbox-buttons-have-icons: 0;\nbutton-layout: 1;"));
}

TMessageBox::~TMessageBox() = default;

int TMessageBox::exec()
{
    return QDialog::exec();
}

void TMessageBox::setText(const QString &text)
{
    QMessageBox::setText(
        QStringLiteral("<span style=\"font-size:10pt; font-weight:600; color:#000000;\" >%1</span>")
            .arg(text));
}

void TMessageBox::setInformativeText(const QString &text)
{
    QMessageBox::setInformativeText(
        QStringLiteral("<span style=\"font-size:10pt; font-weight:400; color:#000000;\" >%1</span>")
            .arg(text));
}

void TMessageBox::Send_Key(int key)
{
    QApplication::postEvent(
        this, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(), false, 1));
    QApplication::postEvent(
        this, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(), false, 1));
}

void TMessageBox::resizeEvent(QResizeEvent *event)
{
    QMessageBox::resizeEvent(event);
    setFixedWidth(fixed_width);
}

void TMessageBox::showEvent(QShowEvent *event)
{
    QMessageBox::showEvent(event);
    setFixedWidth(fixed_width);
}
