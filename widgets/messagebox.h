// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMESSAGEBOX_H
#define TMESSAGEBOX_H

#include <QMessageBox>

class QResizeEvent;
class QShowEvent;

// The program's one message box: rich text in a fixed style, buttons without icons, and a
// width held at 500 pixels whatever the texts would make of it.
class TMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    explicit TMessageBox(const QWidget *parent);
    ~TMessageBox() override;

    int exec() override;

    // These hide the base's non-virtual functions so that every caller gets the styled text.
    virtual void setText(const QString &text);
    virtual void setInformativeText(const QString &text);

    // Posts a press and a release of the key to the box; they arrive once the event loop
    // (for example exec's modal loop) runs.
    void Send_Key(int key);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int fixed_width;
};

#endif
