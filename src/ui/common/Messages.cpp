#include "ui/common/Messages.h"

#include "ui/common/BringToFront.h"

#include <cstdio>

namespace zorvex {
namespace {

QString errorCaption()
{
    return QString::fromUtf8(kErrorCaption);
}

int runBox(QMessageBox::Icon icon, const QString& caption, const QString& text, QMessageBox::StandardButtons buttons,
           QWidget* parent, bool topMost)
{
    logMessage(caption, text);
    QMessageBox box(icon, caption, text, buttons, parent);
    if (topMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

QMessageBox* openWindow(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        QMessageBox::StandardButtons buttons, bool topMost)
{
    logMessage(caption, text);
    auto* box = new QMessageBox(icon, caption, text, buttons);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    if (topMost)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    bringToFront(box);
    return box;
}

} // namespace

void logMessage(const QString& caption, const QString& text)
{
    QString line = caption + QLatin1String(": ") + text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void BoxPrompts::error(const QString& text, QWidget* parent)
{
    runBox(QMessageBox::Critical, errorCaption(), text, QMessageBox::Ok, parent, false);
}

void BoxPrompts::warning(const QString& caption, const QString& text, QWidget* parent)
{
    runBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent, false);
}

void BoxPrompts::information(const QString& caption, const QString& text, QWidget* parent)
{
    runBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent, false);
}

bool BoxPrompts::askYesNo(const QString& caption, const QString& text, QWidget* parent, bool topMost)
{
    return runBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent, topMost)
        == QMessageBox::Yes;
}

QMessageBox* BoxPrompts::window(QMessageBox::Icon icon, const QString& caption, const QString& text, bool topMost)
{
    return openWindow(icon, caption, text, QMessageBox::Ok, topMost);
}

QMessageBox* BoxPrompts::askLater(const QString& caption, const QString& text, bool topMost,
                                  std::function<void(bool yes)> answered)
{
    QMessageBox* box = openWindow(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, topMost);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
        if (answered)
            answered(box->clickedButton() == box->button(QMessageBox::Yes));
    });
    return box;
}

QMessageBox* BoxPrompts::notAvailableYet()
{
    const QString text = QString::fromUtf8(kNotAvailableYet);
    if (m_notice) {
        logMessage(m_notice->windowTitle(), text);
        bringToFront(m_notice);
        return m_notice;
    }
    m_notice = window(QMessageBox::Information, QStringLiteral("Zorvex"), text, false);
    m_notice->setObjectName(QStringLiteral("notAvailableNotice"));
    return m_notice;
}

void QuietPrompts::error(const QString& text, QWidget*)
{
    logMessage(errorCaption(), text);
}

void QuietPrompts::warning(const QString& caption, const QString& text, QWidget*)
{
    logMessage(caption, text);
}

void QuietPrompts::information(const QString& caption, const QString& text, QWidget*)
{
    logMessage(caption, text);
}

bool QuietPrompts::askYesNo(const QString& caption, const QString& text, QWidget*, bool)
{
    logMessage(caption, text);
    return false;
}

QMessageBox* QuietPrompts::window(QMessageBox::Icon, const QString& caption, const QString& text, bool)
{
    logMessage(caption, text);
    return nullptr;
}

QMessageBox* QuietPrompts::askLater(const QString& caption, const QString& text, bool,
                                    std::function<void(bool yes)> answered)
{
    logMessage(caption, text);
    if (answered)
        answered(false);
    return nullptr;
}

QMessageBox* QuietPrompts::notAvailableYet()
{
    logMessage(QStringLiteral("Zorvex"), QString::fromUtf8(kNotAvailableYet));
    return nullptr;
}

} // namespace zorvex
