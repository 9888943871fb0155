// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "messagebox.h"

class TTestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void Templates_data();
    void Templates();
    void Style_Sheet_Removes_Button_Icons();
    void Width_Held_At_500_data();
    void Width_Held_At_500();
    void Send_Key_Answers_Modal_Box();
};

void TTestMessageBox::Templates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected_main");
    QTest::addColumn<QString>("expected_informative");
    QTest::newRow("plain word")
        << "Hello"
        << "<span style=\"font-size:10pt; font-weight:600; color:#000000;\" >Hello</span>"
        << "<span style=\"font-size:10pt; font-weight:400; color:#000000;\" >Hello</span>";
    QTest::newRow("empty text")
        << ""
        << "<span style=\"font-size:10pt; font-weight:600; color:#000000;\" ></span>"
        << "<span style=\"font-size:10pt; font-weight:400; color:#000000;\" ></span>";
    QTest::newRow("markup passes unchanged")
        << "<b>%2</b>"
        << "<span style=\"font-size:10pt; font-weight:600; color:#000000;\" ><b>%2</b></span>"
        << "<span style=\"font-size:10pt; font-weight:400; color:#000000;\" ><b>%2</b></span>";
}

void TTestMessageBox::Templates()
{
    QFETCH(QString, text);
    QFETCH(QString, expected_main);
    QFETCH(QString, expected_informative);

    TMessageBox box(nullptr);
    box.setText(text);
    box.setInformativeText(text);
    QCOMPARE(box.text(), expected_main);
    QCOMPARE(box.informativeText(), expected_informative);
    QCOMPARE(box.textFormat(), Qt::RichText);
}

void TTestMessageBox::Style_Sheet_Removes_Button_Icons()
{
    TMessageBox box(nullptr);
    QCOMPARE(box.styleSheet(),
             QString("dialogbuttonbox-buttons-have-icons: 0;\nbutton-layout: 1;"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QList<QAbstractButton *> buttons = box.buttons();
    QCOMPARE(buttons.size(), 2);
    for (QAbstractButton *button : buttons) {
        QVERIFY(button->icon().isNull());
    }
}

void TTestMessageBox::Width_Held_At_500_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("resize_to");
    QTest::newRow("short text") << "Hi" << QSize();
    QTest::newRow("very long text") << QString(4000, QLatin1Char('W')) << QSize();
    QTest::newRow("long words with spaces") << QString("Measurement ").repeated(300) << QSize();
    QTest::newRow("resized wider") << "Hi" << QSize(1200, 300);
    QTest::newRow("resized narrower") << "Hi" << QSize(120, 300);
}

void TTestMessageBox::Width_Held_At_500()
{
    QFETCH(QString, text);
    QFETCH(QSize, resize_to);

    TMessageBox box(nullptr);
    box.setText(text);
    box.setInformativeText(text);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.width(), 500);
    if (resize_to.isValid()) {
        box.resize(resize_to);
        QCoreApplication::processEvents();
        QCOMPARE(box.width(), 500);
    }
}

void TTestMessageBox::Send_Key_Answers_Modal_Box()
{
    TMessageBox box(nullptr);
    box.setText("Question");
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.Send_Key(Qt::Key_Escape);
    QCOMPARE(box.exec(), int(QMessageBox::No));

    box.setDefaultButton(QMessageBox::Yes);
    box.Send_Key(Qt::Key_Return);
    QCOMPARE(box.exec(), int(QMessageBox::Yes));
}

QTEST_MAIN(TTestMessageBox)
#include "tst_messagebox.moc"
