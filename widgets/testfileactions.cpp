// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfileactions.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include "filewriter.h"
#include "messagebox.h"
#include "notices.h"
#include "testdocument.h"
#include "testfile.h"

namespace
{
// How many test files File ▸ Open Recent lists.
const int recent_limit = 8;

QString Filter()
{
    return TTestFileActions::tr("Curvalo tests (*.curvalo);;All files (*)");
}
} // namespace

TTestFileActions::TTestFileActions(TTestDocument *document_, QUndoStack *undo_stack_,
                                   TNotices *notices_, QMainWindow *window_)
    : QObject(window_)
    , document(document_)
    , undo_stack(undo_stack_)
    , notices(notices_)
    , window(window_)
    , modified(false)
    , loading(false)
    , disk_size(-1)
{
    connect(document, &TTestDocument::Modified, this, &TTestFileActions::Document_Modified);
    Update_Title();
}

TTestFileActions::~TTestFileActions() = default;

void TTestFileActions::Restore(const QString &file_, bool modified_, const QStringList &recent_)
{
    recent = recent_.mid(0, recent_limit);
    file = file_;
    modified = !file.isEmpty() && modified_;
    Remember_Disk_State();
    Update_Title();
}

void TTestFileActions::Document_Modified()
{
    if (!loading && !file.isEmpty() && !modified) {
        modified = true;
        Update_Title();
    }
}

void TTestFileActions::Update_Title()
{
    if (file.isEmpty()) {
        window->setWindowTitle(QStringLiteral("Curvalo"));
        window->setWindowModified(false);
        return;
    }
    window->setWindowTitle(QFileInfo(file).fileName() + QStringLiteral("[*] \u2014 Curvalo"));
    window->setWindowModified(modified);
}

void TTestFileActions::Remember_Disk_State()
{
    const QFileInfo info(file);
    disk_time = info.exists() ? info.lastModified() : QDateTime();
    disk_size = info.exists() ? info.size() : -1;
}

bool TTestFileActions::Changed_On_Disk() const
{
    const QFileInfo info(file);
    return info.exists() && (info.lastModified() != disk_time || info.size() != disk_size);
}

bool TTestFileActions::Open_File(const QString &file_name, QString *error)
{
    Q_ASSERT(error);
    loading = true;
    const bool read = TTestFile::Read(file_name, document, error);
    loading = false;
    if (!read) {
        return false;
    }
    // The steps before belong to another test.
    undo_stack->clear();
    Belong_To(file_name);
    return true;
}

bool TTestFileActions::Save_File(const QString &file_name, QString *error)
{
    Q_ASSERT(error);
    if (!TFileWriter::Export(file_name, TTestFile::Data(*document), error)) {
        return false;
    }
    Belong_To(file_name);
    return true;
}

void TTestFileActions::Belong_To(const QString &file_name)
{
    file = QFileInfo(file_name).absoluteFilePath();
    Remember_Recent(file);
    modified = false;
    Remember_Disk_State();
    Update_Title();
}

void TTestFileActions::Remember_Recent(const QString &file_name)
{
    recent.removeAll(file_name);
    recent.prepend(file_name);
    recent = recent.mid(0, recent_limit);
}

void TTestFileActions::Fill_Recent_Menu(QMenu *menu)
{
    menu->clear();
    for (const QString &name : recent) {
        QAction *action = menu->addAction(QFileInfo(name).fileName());
        action->setToolTip(name);
        connect(action, &QAction::triggered, this, [this, name]() {
            if (!Settle_Changes()) {
                return;
            }
            QString error;
            if (!Open_File(name, &error)) {
                notices->Show(tr("The test was not opened"), error);
            }
        });
    }
    menu->setEnabled(!recent.isEmpty());
}

void TTestFileActions::Close_File()
{
    file.clear();
    modified = false;
    Update_Title();
}

bool TTestFileActions::Settle_Changes()
{
    if (file.isEmpty() || !modified) {
        return true;
    }
    TMessageBox box(window);
    box.setWindowTitle(QStringLiteral("Curvalo"));
    box.setText(tr("Save the changes to %1?").arg(QFileInfo(file).fileName()));
    box.setInformativeText(tr("The test has changes that are not in its file yet."));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::Save) {
        return false;
    }
    Save();
    return !modified;
}

void TTestFileActions::Open()
{
    if (!Settle_Changes()) {
        return;
    }
    const QString chosen =
        QFileDialog::getOpenFileName(window, tr("Open Test"), QFileInfo(file).path(), Filter());
    QString error;
    if (!chosen.isEmpty() && !Open_File(chosen, &error)) {
        notices->Show(tr("The test was not opened"), error);
    }
}

void TTestFileActions::Save()
{
    if (file.isEmpty()) {
        Save_As();
        return;
    }
    if (Changed_On_Disk()) {
        TMessageBox box(window);
        box.setWindowTitle(QStringLiteral("Curvalo"));
        box.setText(tr("%1 has changed on disk").arg(QFileInfo(file).fileName()));
        box.setInformativeText(tr("Another program (or another computer) changed the file since "
                                  "Curvalo read or wrote it. Replace it with this test?"));
        box.setIcon(QMessageBox::Warning);
        QPushButton *replace = box.addButton(tr("Replace"), QMessageBox::DestructiveRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        if (box.clickedButton() != replace) {
            return;
        }
    }
    QString error;
    if (!Save_File(file, &error)) {
        notices->Show(tr("The test was not saved"), error);
    }
}

void TTestFileActions::Save_As()
{
    QString chosen = QFileDialog::getSaveFileName(window, tr("Save Test As"), file, Filter());
    if (chosen.isEmpty()) {
        return;
    }
    if (QFileInfo(chosen).suffix().isEmpty()) {
        chosen += QStringLiteral(".curvalo");
    }
    QString error;
    if (!Save_File(chosen, &error)) {
        notices->Show(tr("The test was not saved"), error);
    }
}
