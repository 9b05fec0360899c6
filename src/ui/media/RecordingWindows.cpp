#include "ui/media/RecordingWindows.h"

#include "core/media/RecordingRules.h"
#include "core/media/RecordingSettings.h"
#include "ui/common/BringToFront.h"
#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

namespace {

template <typename T>
T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* list(const char* name, const QStringList& items, QWidget* parent)
{
    auto* box = named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

void select(QComboBox* box, int index)
{
    box->setCurrentIndex(qBound(0, index, box->count() - 1));
}

constexpr auto kDialogFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

} // namespace

RecordingOptionsWindow::RecordingOptionsWindow(RecordingSettings& settings, QWidget* parent)
    : QDialog(parent, kDialogFlags), m_settings(settings)
{
    setObjectName(u"TForm36"_s);
    setWindowTitle(u"Opcje nagrywania"_s);
    m_folder = named(new QLineEdit(this), "Edit1");
    m_folder->setReadOnly(true);
    m_folderButton = named(new QPushButton(u"..."_s, this), "BitBtn2");
    m_folderButton->setToolTip(u"Wybierz folder dla nagranych plików"_s);
    m_mode = list("ComboBox5", recordingModeItems(), this);
    m_quality = list("ComboBox2", recordingQualityItems(), this);
    m_frequency = list("ComboBox6", recordingFrequencyItems(), this);
    m_cbr = named(new QRadioButton(u"Stały bitrate (CBR)"_s, this), "RadioButton1");
    m_vbr = named(new QRadioButton(u"Zmienny bitrate (VBR)"_s, this), "RadioButton2");
    m_cbrBox = new QGroupBox(this);
    m_vbrBox = new QGroupBox(this);
    m_bitrate = list("ComboBox1", recordingBitrateItems(), m_cbrBox);
    m_maxBitrate = list("ComboBox3", QStringList{u"(automatycznie)"_s} + recordingBitrateItems(), m_vbrBox);
    m_qualityVbr = list("ComboBox4", recordingQualityItems(), m_vbrBox);
    m_forceMin = named(new QCheckBox(u"wymuś minimalny bitrate"_s, m_vbrBox), "CheckBox2");
    m_addToPlaylist =
        named(new QCheckBox(u"Dodawaj nagrane utwory do listy w zakładce Menadżer m3u"_s, this), "CheckBox3");
    m_split = named(new QCheckBox(u"Dziel nagrania podczas zmiany tytułu - z opóźnieniem:"_s, this), "CheckBox1");
    m_delay = named(new NumberField(0, 99, this), "Edit2");
    m_continue = named(new QCheckBox(u"Kontynuuj nagrywanie po zerwaniu połączenia"_s, this), "CheckBox4");
    m_namesButton = named(new QPushButton(u"Nazwy nagrywanych plików"_s, this), "BitBtn3");
    m_ok = named(new QPushButton(u"OK"_s, this), "OkButton");
    m_ok->setDefault(true);

    auto* folder = new QHBoxLayout;
    folder->addWidget(m_folder, 1);
    folder->addWidget(m_folderButton);
    auto* form = new QFormLayout;
    form->addRow(u"Folder:"_s, folder);
    form->addRow(u"Tryb:"_s, m_mode);
    form->addRow(u"Jakość:"_s, m_quality);
    form->addRow(u"Częstotliwość:"_s, m_frequency);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_cbr);
    kinds->addWidget(m_vbr);
    auto* cbr = new QFormLayout(m_cbrBox);
    cbr->addRow(u"Bitrate:"_s, m_bitrate);
    auto* vbr = new QFormLayout(m_vbrBox);
    vbr->addRow(u"Maksymalny bitrate:"_s, m_maxBitrate);
    vbr->addRow(u"Jakość VBR:"_s, m_qualityVbr);
    vbr->addRow(m_forceMin);
    auto* split = new QHBoxLayout;
    split->addWidget(m_split);
    split->addWidget(m_delay);
    split->addWidget(new QLabel(u"sek."_s, this));
    split->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_namesButton);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(kinds);
    layout->addWidget(m_cbrBox);
    layout->addWidget(m_vbrBox);
    layout->addWidget(m_addToPlaylist);
    layout->addLayout(split);
    layout->addWidget(m_continue);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    pickFolder = [this](const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(this, title, start);
    };
    connect(m_folderButton, &QPushButton::clicked, this, &RecordingOptionsWindow::chooseFolder);
    connect(m_cbr, &QRadioButton::toggled, this, &RecordingOptionsWindow::updateEnabled);
    connect(m_split, &QCheckBox::toggled, this, &RecordingOptionsWindow::updateEnabled);
    connect(m_namesButton, &QPushButton::clicked, this, &RecordingOptionsWindow::openNames);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    load();
}

RecordingOptionsWindow::~RecordingOptionsWindow()
{
    m_blocked.release();
}

void RecordingOptionsWindow::openOver(QWidget* toolsWindow)
{
    if (!isVisible()) {
        load();
        show();
        m_blocked.block(this, toolsWindow);
    }
    bringToFront(this);
}

void RecordingOptionsWindow::load()
{
    m_folder->setText(QDir::toNativeSeparators(m_settings.folder));
    select(m_mode, m_settings.mode);
    select(m_quality, m_settings.quality);
    select(m_frequency, m_settings.frequency);
    (m_settings.constantBitrate ? m_cbr : m_vbr)->setChecked(true);
    select(m_bitrate, m_settings.bitrate);
    select(m_maxBitrate, m_settings.maxBitrate);
    select(m_qualityVbr, m_settings.qualityVbr);
    m_forceMin->setChecked(m_settings.forceMinBitrate);
    m_addToPlaylist->setChecked(m_settings.addToPlaylist);
    m_split->setChecked(m_settings.splitOnTitle);
    m_delay->setValue(m_settings.splitDelay);
    m_continue->setChecked(m_settings.continueAfterLoss);
    updateEnabled();
}

void RecordingOptionsWindow::store()
{
    m_settings.mode = m_mode->currentIndex();
    m_settings.quality = m_quality->currentIndex();
    m_settings.frequency = m_frequency->currentIndex();
    m_settings.constantBitrate = m_cbr->isChecked();
    m_settings.bitrate = m_bitrate->currentIndex();
    m_settings.maxBitrate = m_maxBitrate->currentIndex();
    m_settings.qualityVbr = m_qualityVbr->currentIndex();
    m_settings.forceMinBitrate = m_forceMin->isChecked();
    m_settings.addToPlaylist = m_addToPlaylist->isChecked();
    m_settings.splitOnTitle = m_split->isChecked();
    m_settings.splitDelay = m_delay->value();
    m_settings.continueAfterLoss = m_continue->isChecked();
}

void RecordingOptionsWindow::updateEnabled()
{
    m_cbrBox->setVisible(m_cbr->isChecked());
    m_vbrBox->setVisible(!m_cbr->isChecked());
    m_delay->setEnabled(m_split->isChecked());
}

void RecordingOptionsWindow::chooseFolder()
{
    const QString current = m_settings.folder;
    const QString start = !current.isEmpty() && QDir(current).exists()
        ? current
        : QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString chosen = pickFolder ? pickFolder(u"Wybierz folder dla nagranych plików"_s, start) : QString();
    if (chosen.isEmpty())
        return;
    QString folder = QDir::cleanPath(QDir(chosen).absolutePath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    m_settings.folder = folder;
    m_folder->setText(QDir::toNativeSeparators(folder));
}

void RecordingOptionsWindow::openNames()
{
    if (!m_names)
        m_names = new RecordingNamesWindow(m_settings, this);
    m_names->open();
}

void RecordingOptionsWindow::done(int result)
{
    store();
    if (m_names && m_names->isVisible())
        m_names->close();
    m_blocked.release();
    QDialog::done(result);
}

RecordingNamesWindow::RecordingNamesWindow(RecordingSettings& settings, QWidget* parent)
    : QDialog(parent, kDialogFlags), m_settings(settings)
{
    setObjectName(u"TForm38"_s);
    setWindowTitle(u"Nazwy nagrywanych plików"_s);
    m_patterns = list("ComboBox1", recordingPatterns(), this);
    m_pattern = named(new QLineEdit(this), "Edit1");
    m_example = named(new QLabel(this), "Label5");
    m_date = named(new QLabel(this), "Label9");
    m_time = named(new QLabel(this), "Label10");
    auto* ok = named(new QPushButton(u"OK"_s, this), "OkButton");
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_patterns);
    layout->addWidget(m_pattern);
    layout->addWidget(new QLabel(u"Przykład:"_s, this));
    layout->addWidget(m_example);
    layout->addWidget(new QLabel(u"[stacja] - Nazwa stacji"_s, this));
    layout->addWidget(new QLabel(u"[tytuł] - Tytuł utworu"_s, this));
    layout->addWidget(m_date);
    layout->addWidget(m_time);
    layout->addWidget(new QLabel(u"\\ - podfolder"_s, this));
    layout->addWidget(ok, 0, Qt::AlignRight);

    connect(m_patterns, &QComboBox::activated, this, &RecordingNamesWindow::choose);
    connect(m_pattern, &QLineEdit::textChanged, this, &RecordingNamesWindow::updateExample);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void RecordingNamesWindow::open()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(u"- Aktualna data (np. "_s + now.toString(u"yyyy.MM.dd"_s) + u')');
    m_time->setText(u"- Aktualny czas (np. "_s + now.toString(u"HH.mm"_s) + u')');
    m_patterns->setCurrentIndex(qBound(0, m_settings.patternIndex, kRecordingPatternCount - 1));
    choose(m_patterns->currentIndex());
    QDialog::open();
}

void RecordingNamesWindow::choose(int index)
{
    m_pattern->setEnabled(index == 0);
    const QString own = m_settings.pattern.isEmpty() ? QString::fromUtf8(kDefaultRecordingPattern) : m_settings.pattern;
    m_pattern->setText(index == 0 ? own : m_patterns->itemText(index));
    updateExample();
}

void RecordingNamesWindow::updateExample()
{
    m_example->setText(recordingPatternExample(m_pattern->text(), QDateTime::currentDateTime()));
}

void RecordingNamesWindow::done(int result)
{
    m_settings.patternIndex = m_patterns->currentIndex();
    m_settings.pattern = m_pattern->text();
    QDialog::done(result);
}

} // namespace zorvex
