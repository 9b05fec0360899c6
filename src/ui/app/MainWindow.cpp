#include "ui/app/MainWindow.h"

#include "core/app/PathTable.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace zorvex {

MainWindow::MainWindow(const PathTable& paths, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Zorvex"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Zorvex"), this);
    title->setObjectName(QStringLiteral("Label2"));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    title->setFont(f);
    auto* info = new QLabel(QStringLiteral("Profil: %1\nDane: %2").arg(paths.profile(), paths.dataFolder()), this);
    info->setObjectName(QStringLiteral("LabelInfo"));
    info->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(info);
    setFixedWidth(300);
}

bool MainWindow::event(QEvent* e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        emit activated();
    return result;
}

} // namespace zorvex
