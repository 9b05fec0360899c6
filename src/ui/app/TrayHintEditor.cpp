#include "ui/app/TrayHintEditor.h"

#include "core/app/SettingsStore.h"
#include "core/app/TrayHint.h"
#include "core/app/TraySettings.h"
#include "core/common/IniFile.h"
#include "ui/common/Messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace zorvex {

TrayHintEditor::TrayHintEditor(TraySettings& settings, const SettingsStore* store, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_store(store)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("Form39"));
    setWindowTitle(QStringLiteral("Tray - informacje w podpowiedzi"));

    auto* group = new QGroupBox(QString::fromUtf8("Tray - informacje w podpowiedzi (max. 127 znaków)"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));

    m_memo = new QPlainTextEdit(group);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setTabChangesFocus(true);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TrayHintEditor::keepWithinLimit);

    m_placeholders = new QListWidget(group);
    m_placeholders->setObjectName(QStringLiteral("ListBox1"));
    m_placeholders->setToolTip(QString::fromUtf8("Dwukrotne kliknięcie wstawia znacznik w miejscu kursora"));
    for (const auto& [placeholder, meaning] : trayHintPlaceholders()) {
        auto* item = new QListWidgetItem(placeholder + QStringLiteral(" - ") + meaning, m_placeholders);
        item->setData(Qt::UserRole, placeholder);
    }
    connect(m_placeholders, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { insertPlaceholder(item->data(Qt::UserRole).toString()); });

    auto* inner = new QHBoxLayout(group);
    inner->addWidget(m_memo, 2);
    inner->addWidget(m_placeholders, 3);

    auto* defaults = new QPushButton(QString::fromUtf8("Domyślne ustawienia"), this);
    defaults->setObjectName(QStringLiteral("BitBtn1"));
    connect(defaults, &QPushButton::clicked, this, &TrayHintEditor::restoreDefault);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(760, 280);
}

void TrayHintEditor::showEvent(QShowEvent* event)
{
    // A longer pattern written by hand stays whole; it only may not grow.
    const QString lines = hintLinesFromPattern(m_settings.hintPattern);
    m_limit = qMax<int>(kTrayHintPatternMaxLength, lines.size());
    m_memo->setPlainText(lines);
    QDialog::showEvent(event);
}

void TrayHintEditor::restoreDefault()
{
    m_limit = kTrayHintPatternMaxLength;
    m_memo->setPlainText(hintLinesFromPattern(defaultTrayHintPattern()));
}

void TrayHintEditor::keepWithinLimit()
{
    if (m_limiting)
        return;
    const QString text = m_memo->toPlainText();
    if (text.size() <= m_limit)
        return;
    // Like a memo with a maximum length: the characters just typed or pasted
    // that do not fit are not taken.
    m_limiting = true;
    const int excess = int(text.size()) - m_limit;
    const int cursor = m_memo->textCursor().position();
    QString kept = text;
    int at = cursor - excess;
    if (at >= 0) {
        kept.remove(at, excess);
    } else {
        kept.truncate(m_limit);
        at = qMin(cursor, m_limit);
    }
    m_memo->setPlainText(kept);
    QTextCursor c = m_memo->textCursor();
    c.setPosition(at);
    m_memo->setTextCursor(c);
    m_limiting = false;
}

void TrayHintEditor::insertPlaceholder(const QString& text)
{
    m_memo->insertPlainText(text);
    m_memo->setFocus();
}

void TrayHintEditor::commit()
{
    const QString pattern = hintPatternFromLines(m_memo->toPlainText());
    m_settings.hintPattern = pattern;
    if (m_store) {
        const bool written = m_store->update([&pattern](IniFile& ini) {
            ini.writeString(QStringLiteral("Tray"), QStringLiteral("Podpowiedz"), pattern);
        });
        if (!written)
            m_prompts.error(QString::fromUtf8("Nie można zapisać ustawień podpowiedzi w pliku:\n%1\n"
                                        "Ustawienia zostaną zapisane przy następnym zapisie ustawień.")
                          .arg(m_store->path()),
                      this);
    }
    emit patternChanged(pattern);
}

void TrayHintEditor::done(int result)
{
    if (isVisible())
        commit();
    QDialog::done(result);
}

} // namespace zorvex
