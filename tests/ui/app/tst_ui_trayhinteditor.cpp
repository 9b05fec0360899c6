#include "core/app/SettingsStore.h"
#include "core/app/TrayHint.h"
#include "core/app/TraySettings.h"
#include "core/common/IniFile.h"
#include "ui/app/TrayHintEditor.h"
#include "support/RecordingPrompts.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

class TestUiTrayHintEditor : public QObject {
    Q_OBJECT

private slots:
    void captionsAndPlaceholders();
    void closingWritesThePatternAtOnce();
    void keepsOtherKeys();
    void defaultButton();
    void memoStopsAt200Characters_data();
    void memoStopsAt200Characters();
    void longStoredPatternIsNotCut();
};

void TestUiTrayHintEditor::captionsAndPlaceholders()
{
    TraySettings tray;
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, nullptr, prompts);
    QCOMPARE(editor.objectName(), QStringLiteral("Form39"));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Tray - informacje w podpowiedzi"));
    auto* group = editor.findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
    QVERIFY(group);
    QCOMPARE(group->title(), QString::fromUtf8("Tray - informacje w podpowiedzi (max. 127 znaków)"));
    auto* list = editor.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    QVERIFY(list);
    QCOMPARE(list->count(), int(trayHintPlaceholders().size()));

    // Each line of the memo is one hint line.
    editor.show();
    QCOMPARE(editor.memo()->toPlainText().split(QLatin1Char('\n')).size(), 6);
    QCOMPARE(editor.memo()->toPlainText().split(QLatin1Char('\n')).first(), QStringLiteral("Zorvex"));

    // A double click puts the placeholder at the cursor.
    editor.memo()->clear();
    emit list->itemDoubleClicked(list->item(2));
    QCOMPARE(editor.memo()->toPlainText(), QStringLiteral("[CPU]"));
}

void TestUiTrayHintEditor::closingWritesThePatternAtOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ustawienia_Tester.ini"));
    const SettingsStore store(path);
    TraySettings tray;
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, &store, prompts);
    QSignalSpy changed(&editor, &TrayHintEditor::patternChanged);
    editor.show();
    editor.memo()->setPlainText(QString::fromUtf8("  Zorvex\r\nCPU: [CPU]\rRAM: [RAM]\nŁódź\n"));
    editor.close();

    const QString expected = QString::fromUtf8("Zorvex|CPU: [CPU]|RAM: [RAM]|Łódź|");
    QCOMPARE(tray.hintPattern, expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(IniFile::load(path).readString(QStringLiteral("Tray"), QStringLiteral("Podpowiedz")), expected);
}

void TestUiTrayHintEditor::keepsOtherKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ustawienia_Tester.ini"));
    IniFile before;
    before.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Pozycja"), 2);
    before.writeString(QStringLiteral("Tray"), QStringLiteral("Podpowiedz"), QStringLiteral("old"));
    QVERIFY(before.save(path));
    const SettingsStore store(path);
    TraySettings tray;
    tray.hintPattern = QStringLiteral("old");
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, &store, prompts);
    editor.show();
    editor.memo()->setPlainText(QStringLiteral("new"));
    editor.accept();
    const IniFile after = IniFile::load(path);
    QCOMPARE(after.readString(QStringLiteral("Tray"), QStringLiteral("Podpowiedz")), QStringLiteral("new"));
    QCOMPARE(after.readInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Pozycja"), 0), 2);
}

void TestUiTrayHintEditor::defaultButton()
{
    TraySettings tray;
    tray.hintPattern = QStringLiteral("Tylko [CPU]");
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, nullptr, prompts);
    editor.show();
    auto* button = editor.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QVERIFY(button);
    QCOMPARE(button->text(), QString::fromUtf8("Domyślne ustawienia"));
    button->click();
    editor.close();
    QCOMPARE(tray.hintPattern, defaultTrayHintPattern());
}

void TestUiTrayHintEditor::memoStopsAt200Characters_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");

    const QString a199(199, QLatin1Char('a'));
    QTest::newRow("last character fits") << a199 << 199 << QStringLiteral("b") << a199 + QLatin1Char('b');
    QTest::newRow("typing beyond is refused") << QString(200, QLatin1Char('a')) << 100 << QStringLiteral("x")
                                              << QString(200, QLatin1Char('a'));
    QTest::newRow("paste keeps what fits") << QString(195, QLatin1Char('a')) << 0 << QStringLiteral("0123456789")
                                           << QStringLiteral("01234") + QString(195, QLatin1Char('a'));
}

void TestUiTrayHintEditor::memoStopsAt200Characters()
{
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    TraySettings tray;
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, nullptr, prompts);
    editor.show();
    editor.memo()->setPlainText(start);
    QTextCursor c = editor.memo()->textCursor();
    c.setPosition(cursor);
    editor.memo()->setTextCursor(c);
    editor.memo()->insertPlainText(typed);
    QCOMPARE(editor.memo()->toPlainText(), result);
}

void TestUiTrayHintEditor::longStoredPatternIsNotCut()
{
    TraySettings tray;
    tray.hintPattern = QString(250, QLatin1Char('z'));
    RecordingPrompts prompts;
    TrayHintEditor editor(tray, nullptr, prompts);
    editor.show();
    editor.close();
    QCOMPARE(tray.hintPattern, QString(250, QLatin1Char('z')));
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiTrayHintEditor)
#include "tst_ui_trayhinteditor.moc"
