#include "core/app/ContextMenuModel.h"
#include "core/app/PageCodes.h"

#include <QTest>

namespace zorvex {

namespace {

std::array<int, kMenuEntries> keys(const QList<int>& codes)
{
    std::array<int, kMenuEntries> m;
    m.fill(-1);
    for (int i = 0; i < codes.size() && i < kMenuEntries; ++i)
        m[size_t(i)] = codes.at(i);
    return m;
}

QList<int> codesOf(const std::vector<MenuEntry>& entries)
{
    QList<int> out;
    for (const MenuEntry& e : entries)
        out << e.code;
    return out;
}

} // namespace

class TestShellContextMenu : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void labelsAndSubmenus_data();
    void labelsAndSubmenus();
    void fullList();
};

void TestShellContextMenu::entries_data()
{
    QTest::addColumn<QList<int>>("m");
    QTest::addColumn<QList<int>>("codes");

    QTest::newRow("empty list") << QList<int>{} << QList<int>{};
    QTest::newRow("in list order") << QList<int>{5, 44, 33} << QList<int>{5, 44, 33};
    QTest::newRow("gaps skipped") << QList<int>{-1, 21, -1, -1, 37} << QList<int>{21, 37};
    // Values only a damaged or hand-edited file holds.
    QTest::newRow("unknown codes left out") << QList<int>{0, 45, 99, -7, 28} << QList<int>{28};
    QTest::newRow("repeated code once") << QList<int>{24, 29, 24} << QList<int>{24, 29};
}

void TestShellContextMenu::entries()
{
    QFETCH(QList<int>, m);
    QFETCH(QList<int>, codes);
    QCOMPARE(codesOf(userMenuEntries(keys(m))), codes);
}

void TestShellContextMenu::labelsAndSubmenus_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("submenu");

    QTest::newRow("page") << 44 << QString::fromUtf8("Wygląd") << int(EntrySubmenu::None);
    QTest::newRow("command") << 42 << QStringLiteral("Wykres transferu") << int(EntrySubmenu::None);
    QTest::newRow("misc list") << 38 << QString::fromUtf8("Różne - Lista") << int(EntrySubmenu::MiscList);
    QTest::newRow("player") << 39 << QStringLiteral("Odtwarzanie") << int(EntrySubmenu::Player);
    QTest::newRow("radio") << 40 << QStringLiteral("Odtwarzanie") << int(EntrySubmenu::Radio);
    QTest::newRow("favourites") << 41 << QStringLiteral("Radio - Ulubione") << int(EntrySubmenu::Favourites);
}

void TestShellContextMenu::labelsAndSubmenus()
{
    QFETCH(int, code);
    QFETCH(QString, label);
    QFETCH(int, submenu);
    const auto entries = userMenuEntries(keys({code}));
    QCOMPARE(entries.size(), size_t(1));
    QCOMPARE(entries.front().label, label);
    QCOMPARE(int(entries.front().submenu), submenu);
}

void TestShellContextMenu::fullList()
{
    // Every code but one, so that all 43 places hold a distinct entry.
    QList<int> all;
    for (const PageCode& p : pageCodes())
        all << p.code;
    all.removeOne(28);
    QCOMPARE(all.size(), kMenuEntries);
    const auto entries = userMenuEntries(keys(all));
    QCOMPARE(codesOf(entries), all);
}

} // namespace zorvex

QTEST_APPLESS_MAIN(zorvex::TestShellContextMenu)
#include "tst_shell_contextmenu.moc"
