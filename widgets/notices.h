// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TNOTICES_H
#define TNOTICES_H

#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;
class QMainWindow;
class TPersistence;

// What the window tells the user without waiting for an answer: boxes over it that leave it
// usable, and the status bar's note while changes are not saved.
class TNotices : public QObject
{
    Q_OBJECT

public:
    explicit TNotices(QMainWindow *window);
    ~TNotices() override;

    // A warning box over the window; the informative text shows as written, markup and all.
    void Show(const QString &text, const QString &informative_text);
    // What the user must know before working: a measurement file that could not be read
    // completely, settings that could not be used ("Key=value" each), and a folder where
    // nothing will be saved.
    void Tell_Start_Problems(const TPersistence &persistence, const QStringList &unused_settings);
    // Asks, after the save at closing failed for this reason, whether to close all the same;
    // true for "Close without saving".
    bool Close_Without_Saving(const QString &reason);
    // Another Curvalo works on the folder: a box of its own, closed before this returns.
    static void Tell_Folder_In_Use(const QString &directory);

    // A message as rich text: markup in it shows literally, and line breaks stay.
    static QString Rich(const QString &text);

public slots:
    void Show_Unsaved(bool shown);

private:
    QMainWindow *window;
    // Made when first needed, so that a window that always saves never has it.
    QLabel *unsaved_label;
};

#endif
