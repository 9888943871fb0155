// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTFILEACTIONS_H
#define TTESTFILEACTIONS_H

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

class QMainWindow;
class QMenu;
class QUndoStack;
class TNotices;
class TTestDocument;

// File ▸ Open Test…, Save Test and Save Test As…: the test file the working state belongs
// to, whether it holds changes not yet saved into it, and the window's title that says both
// ("Curvalo" without a file, "NAME[*] — Curvalo" with one). Replacing a modified test first
// asks whether to save it; saving over a file that changed on disk since it was read or
// written asks first too.
class TTestFileActions : public QObject
{
    Q_OBJECT

public:
    TTestFileActions(TTestDocument *document, QUndoStack *undo_stack, TNotices *notices,
                     QMainWindow *window);
    ~TTestFileActions() override;

    // The file, its modified mark and the recent files as the last run left them.
    void Restore(const QString &file, bool modified, const QStringList &recent);
    // The test files opened or saved last, the newest first, at most eight.
    QStringList Recent() const { return recent; }
    // Fills File ▸ Open Recent with them.
    void Fill_Recent_Menu(QMenu *menu);
    QString File() const { return file; }
    bool Modified() const { return modified; }

    // Reads the test file into the document, replacing the test; false, with the reason, and
    // the test as it was, when it cannot be read. Nothing is asked.
    bool Open_File(const QString &file_name, QString *error);
    // Writes the test into the file, all at once; false, with the reason, when it could not be
    // written.
    bool Save_File(const QString &file_name, QString *error);
    // Asks whether to save a modified test file before it is replaced: false when the user
    // cancels (or saving failed).
    bool Settle_Changes();
    // The working state no longer belongs to a file (New).
    void Close_File();

public slots:
    void Open();
    void Save();
    void Save_As();

private slots:
    void Document_Modified();

private:
    void Update_Title();
    // The working state now is what the file holds: its name in the title, no changes.
    void Belong_To(const QString &file_name);
    // Puts the file first in the recent list.
    void Remember_Recent(const QString &file_name);
    // What the file on disk looks like now, to tell whether another program changed it.
    void Remember_Disk_State();
    bool Changed_On_Disk() const;

    TTestDocument *document;
    QUndoStack *undo_stack;
    TNotices *notices;
    QMainWindow *window;
    QString file;
    bool modified;
    QStringList recent;
    // True while the document is replaced by a file, which is no change of the test's.
    bool loading;
    QDateTime disk_time;
    qint64 disk_size;
};

#endif
