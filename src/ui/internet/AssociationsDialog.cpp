#include "ui/internet/AssociationsDialog.h"

#include "core/internet/DesktopSettings.h"
#include "ui/common/BringToFront.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zorvex {

AssociationsDialog::AssociationsDialog(AssociationSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_backups(new QCheckBox(QStringLiteral("Pliki kopii zapasowej ustawień (*.zvx)"), this))
    , m_addons(new QCheckBox(QStringLiteral("Pliki dodatków do programu (*.zvxd)"), this))
{
    setObjectName(QStringLiteral("Form44"));
    setWindowTitle(QStringLiteral("Skojarzenia plików"));
    m_backups->setObjectName(QStringLiteral("CheckBox1"));
    m_addons->setObjectName(QStringLiteral("CheckBox2"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Zintegruj z powłoką następujące pliki:"), this));
    layout->addWidget(m_backups);
    layout->addWidget(m_addons);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AssociationsDialog::openOver(QWidget* toolsWindow)
{
    if (!isVisible()) {
        m_backups->setChecked(m_settings.openBackups);
        m_addons->setChecked(m_settings.openAddons);
        // Centred on the screen, not over the Tools window.
        m_blocked.block(this, toolsWindow);
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    bringToFront(this);
}

void AssociationsDialog::done(int result)
{
    m_blocked.release();
    m_settings.openBackups = m_backups->isChecked();
    m_settings.openAddons = m_addons->isChecked();
    QDialog::done(result);
    emit changed();
}

} // namespace zorvex
