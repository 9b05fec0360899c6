#include "ui/common/NumberField.h"

#include <QLineEdit>
#include <QTest>

using namespace zorvex;

class TestNumberField : public QObject {
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void steps_data();
    void steps();
    void pastedText_data();
    void pastedText();
};

void TestNumberField::typing_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("keys"); // typed over the whole text; "\b" is Backspace
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("whole number in range") << 1 << 100 << 50 << "12" << "12" << 12;
    QTest::newRow("letters are ignored") << 1 << 100 << 50 << "abc" << "50" << 50;
    QTest::newRow("letter after a digit") << 1 << 100 << 50 << "7x" << "7" << 7;
    QTest::newRow("too large: back to the value") << 1 << 100 << 50 << "150" << "15" << 15;
    QTest::newRow("too small: back to the value") << 1 << 100 << 50 << "0" << "50" << 50;
    QTest::newRow("minus in a positive range") << 1 << 100 << 50 << "-" << "50" << 50;
    QTest::newRow("blank") << 1 << 100 << 50 << " " << "50" << 50;
    QTest::newRow("decimal point") << 1 << 100 << 50 << "4.5" << "45" << 45;
    QTest::newRow("emptied: back to the value") << 1 << 100 << 50 << "\b" << "50" << 50;
    QTest::newRow("negative range") << -10 << 10 << 0 << "-5" << "-5" << -5;
    QTest::newRow("negative too small") << -10 << 10 << 0 << "-50" << "-5" << -5;
    QTest::newRow("large range") << 1 << 15000 << 10 << "14999" << "14999" << 14999;
}

void TestNumberField::typing()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, value);

    NumberField field(minimum, maximum);
    field.setValue(start);
    field.show();
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, keys);
    QCOMPARE(field.text(), text);
    QCOMPARE(field.value(), value);
}

void TestNumberField::steps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("Up") << 50 << int(Qt::Key_Up) << 51;
    QTest::newRow("Down") << 50 << int(Qt::Key_Down) << 49;
    QTest::newRow("Up at the maximum") << 100 << int(Qt::Key_Up) << 100;
    QTest::newRow("Down at the minimum") << 1 << int(Qt::Key_Down) << 1;
}

void TestNumberField::steps()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, value);
    NumberField field(1, 100);
    field.setValue(start);
    field.show();
    QTest::keyClick(&field, Qt::Key(key));
    QCOMPARE(field.value(), value);
    QCOMPARE(field.text(), QString::number(value));
}

void TestNumberField::pastedText_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::newRow("number") << "42" << "42";
    QTest::newRow("number with letters") << "12ab" << "50";
    QTest::newRow("out of range") << "1000" << "50";
    QTest::newRow("blank around a number") << " 42 " << "50";
}

void TestNumberField::pastedText()
{
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    NumberField field(1, 100);
    field.setValue(50);
    field.findChild<QLineEdit*>()->selectAll();
    field.findChild<QLineEdit*>()->insert(pasted);
    QCOMPARE(field.text(), text);
    QCOMPARE(field.value(), text.toInt());
}

QTEST_MAIN(TestNumberField)
#include "tst_numberfield.moc"
