#include "ui/desktop/SchemeSaveDialog.h"

#include "core/common/AddonFolder.h"
#include "core/desktop/Compositions.h"
#include "core/desktop/SchemeRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

SchemeSaveDialog::SchemeSaveDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm31"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_label->setBuddy(m_name);
    auto* buttons = new QHBoxLayout;
    m_save = new QPushButton(QStringLiteral("Zapisz"), this);
    m_save->setObjectName(QStringLiteral("BitBtn1"));
    m_save->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    layout->addWidget(m_label);
    layout->addWidget(m_name);
    layout->addLayout(buttons);

    connect(m_name, &QLineEdit::textEdited, this, &SchemeSaveDialog::nameEdited);
    connect(m_name, &QLineEdit::textChanged, this, &SchemeSaveDialog::updateSaveButton);
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (!m_save->isEnabled())
            return;
        if (!save || save(m_mode, name()))
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SchemeSaveDialog::open(Mode mode, const QString& name)
{
    m_mode = mode;
    const bool scheme = mode == Mode::Scheme;
    setWindowTitle(scheme ? QStringLiteral("Zapisz schemat jako...") : QStringLiteral("Zapisz kompozycję jako..."));
    m_label->setText(scheme ? QStringLiteral("Nazwa schematu:") : QStringLiteral("Nazwa kompozycji:"));
    m_name->setText(sanitiseAddonName(name));
    updateSaveButton();
    show();
    raise();
    activateWindow();
    m_name->setFocus();
}

QString SchemeSaveDialog::name() const
{
    return m_name->text().trimmed();
}

void SchemeSaveDialog::nameEdited(const QString& text)
{
    const QString clean = sanitiseAddonName(text);
    if (clean == text)
        return;
    // Keep the cursor where it was, less the characters taken out before it.
    const int removedBefore = int(text.left(m_name->cursorPosition()).size()
                                  - sanitiseAddonName(QStringView(text).left(m_name->cursorPosition())).size());
    const int cursor = m_name->cursorPosition() - removedBefore;
    m_name->setText(clean);
    m_name->setCursorPosition(cursor);
}

void SchemeSaveDialog::updateSaveButton()
{
    const QString n = name();
    const QString reserved = m_mode == Mode::Scheme ? defaultSchemeName() : defaultCompositionName();
    // "." and ".." would name the set folder itself or its parent.
    m_save->setEnabled(isUsableAddonName(n) && n != reserved);
}

} // namespace zorvex
