#include "ui/calendar/ChosenDateWindow.h"

#include "ui/common/BringToFront.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

ChosenDateWindow::ChosenDateWindow(QString namesPath, QString sentencePath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_namesPath(std::move(namesPath))
    , m_sentencePath(std::move(sentencePath))
    , m_heading(new QLabel(this))
    , m_memo(new QPlainTextEdit(this))
    , m_copy(new QPushButton(QStringLiteral("Kopiuj do schowka"), this))
    , m_close(new QPushButton(QStringLiteral("Zamknij"), this))
{
    setObjectName(QStringLiteral("Form35"));
    setWindowTitle(QStringLiteral("Imieniny i sentencja"));
    m_heading->setObjectName(QStringLiteral("Label1"));
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_copy->setObjectName(QStringLiteral("BitBtn2"));
    m_close->setObjectName(QStringLiteral("BitBtn1"));
    m_memo->setReadOnly(true);
    m_memo->setMinimumSize(360, 150);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);

    connect(m_copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(clipboardText()); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
}

void ChosenDateWindow::showDate(const QDate& date)
{
    m_date = date;
    m_text = chosenDateText(date, m_namesPath, m_sentencePath);
    m_heading->setText(m_text.heading);
    m_memo->setPlainText(m_text.lines.join(QLatin1Char('\n')));
    bringToFront(this);
}

QString ChosenDateWindow::clipboardText() const
{
    return m_text.clipboardText();
}

} // namespace zorvex
