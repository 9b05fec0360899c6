#include "ui/media/StationWindow.h"

#include "core/common/Cp1250.h"
#include "ui/common/BringToFront.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

namespace {

// One field of a station line: no line break and no separator may reach it.
QString lineField(QString text)
{
    text.removeIf([](QChar c) { return c == kListSeparator || c.unicode() < 0x20 || c.unicode() == 0x7F; });
    return text;
}

} // namespace

StationWindow::StationWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"TForm23"_s);
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"Edit1"_s);
    m_url = new QLineEdit(this);
    m_url->setObjectName(u"Edit2"_s);
    m_confirm = new QPushButton(this);
    m_confirm->setObjectName(u"BitBtn1"_s);
    m_confirm->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow(u"Nazwa:"_s, m_name);
    form->addRow(u"URL:"_s, m_url);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_confirm, 0, Qt::AlignRight);
    m_name->setMinimumWidth(320);
    connect(m_name, &QLineEdit::textChanged, this, &StationWindow::updateEnabled);
    connect(m_url, &QLineEdit::textChanged, this, &StationWindow::updateEnabled);
    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
}

void StationWindow::openToAdd(QWidget* toolsWindow)
{
    m_editing = false;
    openWith(u"Dodaj URL radia do listy"_s, u"Dodaj"_s, RadioStation{QString(), u"http://"_s}, toolsWindow);
}

void StationWindow::openToEdit(const RadioStation& station, QWidget* toolsWindow)
{
    m_editing = true;
    openWith(u"Edytuj stację"_s, u"Zmień"_s, station, toolsWindow);
}

void StationWindow::openWith(const QString& title, const QString& button, const RadioStation& station,
                             QWidget* toolsWindow)
{
    setWindowTitle(title);
    m_confirm->setText(button);
    m_name->setText(station.name);
    m_url->setText(station.url);
    updateEnabled();
    if (!isVisible()) {
        show();
        m_blocked.block(this, toolsWindow);
    }
    m_name->setFocus();
    bringToFront(this);
}

RadioStation StationWindow::station() const
{
    return RadioStation{lineField(m_name->text()), lineField(m_url->text()).trimmed()};
}

void StationWindow::updateEnabled()
{
    const RadioStation s = station();
    m_confirm->setEnabled(!s.name.trimmed().isEmpty() && !s.url.isEmpty());
}

void StationWindow::done(int result)
{
    m_blocked.release();
    QDialog::done(result);
    if (result == QDialog::Accepted && m_confirm->isEnabled())
        emit confirmed(station(), m_editing);
}

} // namespace zorvex
