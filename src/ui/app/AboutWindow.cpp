#include "ui/app/AboutWindow.h"

#include "core/common/Version.h"
#include "ui/common/Fonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("O programie"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* name = new QLabel(QStringLiteral("Zorvex"), this);
    name->setObjectName(QStringLiteral("LabelNazwa"));
    name->setFont(tahoma(16, true));
    name->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral("Wersja %1").arg(programVersion()), this);
    version->setObjectName(QStringLiteral("LabelWersja"));
    version->setAlignment(Qt::AlignCenter);

    auto* description = new QLabel(
        QString::fromUtf8("Kalendarz na pulpit z zegarem, imieninami i sentencją dnia, przypomnieniami, "
                          "alarmami, informacjami o stanie systemu, odtwarzaczem muzyki i radiem "
                          "internetowym."),
        this);
    description->setObjectName(QStringLiteral("LabelOpis"));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignCenter);

    auto* licence = new QLabel(QString::fromUtf8("Program bezpłatny, rozpowszechniany bez żadnej gwarancji."), this);
    licence->setObjectName(QStringLiteral("LabelLicencja"));
    licence->setWordWrap(true);
    licence->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(6);
    layout->addWidget(description);
    layout->addWidget(licence);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedWidth(320);
}

} // namespace zorvex
