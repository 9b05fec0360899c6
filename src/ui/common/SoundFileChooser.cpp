#include "ui/common/SoundFileChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace zorvex {

SoundFileChooser::SoundFileChooser(QString& file, QWidget* parent)
    : SoundFileChooser(file, Names{}, parent)
{
}

SoundFileChooser::SoundFileChooser(QString& file, Names names, QWidget* parent)
    : QWidget(parent)
    , m_stored(file)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_file = new QLineEdit(this);
    m_file->setObjectName(names.file);
    m_file->setReadOnly(true);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setObjectName(names.browse);
    m_test = new QPushButton(QStringLiteral("Testuj"), this);
    m_test->setObjectName(names.test);
    m_test->setCheckable(true);
    layout->addWidget(m_file, 1);
    layout->addWidget(m_browse);
    layout->addWidget(m_test);
    connect(m_browse, &QPushButton::clicked, this, &SoundFileChooser::browse);
    connect(m_test, &QPushButton::toggled, this, &SoundFileChooser::testToggled);
    reload();
}

void SoundFileChooser::setCallbacks(Callbacks callbacks)
{
    m_cb = std::move(callbacks);
    reload();
}

void SoundFileChooser::reload()
{
    m_file->setText(m_stored);
}

QString SoundFileChooser::resolvedPath() const
{
    return m_cb.resolve ? m_cb.resolve(m_stored) : m_stored;
}

bool SoundFileChooser::testRunning() const
{
    return m_test->isChecked();
}

void SoundFileChooser::pressTest()
{
    m_test->setChecked(true);
}

void SoundFileChooser::stopTest()
{
    m_test->setChecked(false);
}

void SoundFileChooser::testEnded()
{
    // Released like a second press, so the player closes its file.
    stopTest();
}

void SoundFileChooser::testToggled(bool on)
{
    if (!on) {
        if (m_cb.stop)
            m_cb.stop();
        return;
    }
    const QString path = resolvedPath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // Released before the message, so nobody sees a test that does not play.
        QSignalBlocker block(m_test);
        m_test->setChecked(false);
        if (m_cb.missing)
            m_cb.missing(path);
        return;
    }
    if (m_cb.play)
        m_cb.play(path);
}

void SoundFileChooser::browse()
{
    if (!m_cb.chooseFile)
        return;
    const QString current = resolvedPath();
    QString start = current;
    if (!QFileInfo::exists(current))
        start = QFileInfo(current).absoluteDir().exists() ? QFileInfo(current).absolutePath() : QString();
    const QString chosen = m_cb.chooseFile(QStringLiteral("Wybierz plik dźwiękowy"),
                                           QStringLiteral("Plik dźwiękowy (*.wav *.mp3 *.ogg *.wma)"), start);
    if (chosen.isEmpty())
        return;
    m_stored = chosen;
    m_file->setText(chosen);
    // A running test goes on with the new file.
    if (testRunning()) {
        stopTest();
        pressTest();
    }
}

} // namespace zorvex
