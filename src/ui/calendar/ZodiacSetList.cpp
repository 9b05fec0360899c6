#include "ui/calendar/ZodiacSetList.h"

#include "core/app/Settings.h"
#include "core/common/AddonFolder.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/common/Text.h"
#include "ui/calendar/PictureSets.h"
#include "ui/common/Messages.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace zorvex {
namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

const QColor kPictureItems(255, 246, 214);
const QColor kPictureLine(255, 223, 138);

// Draws the dropped-down items as every add-on list does, but the two
// picture items on a pale yellow with black text and a line above the
// first of them.
class SetDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString name = opt.text;
        const auto kind = ZodiacSetList::Kind(index.data(ZodiacSetList::kKindRole).toInt());
        const QString version = index.data(ZodiacSetList::kVersionRole).toString();
        if (kind == ZodiacSetList::Kind::Fixed || kind == ZodiacSetList::Kind::Pick) {
            p->save();
            p->fillRect(opt.rect, kPictureItems);
            if (kind == ZodiacSetList::Kind::Fixed) {
                p->setPen(kPictureLine);
                p->drawLine(opt.rect.topLeft(), opt.rect.topRight());
            }
            p->restore();
            drawSetEntryText(p, opt, name, version, Qt::black);
            return;
        }
        opt.text.clear();
        QStyledItemDelegate::paint(p, opt, index);
        drawSetEntryText(p, opt, name, version, setNameColour(opt, index.data(ZodiacSetList::kAgeRole).toInt()));
    }
};

} // namespace

void ZodiacSetCombo::showPopup()
{
    emit aboutToDropDown();
    QComboBox::showPopup();
}

ZodiacSetList::ZodiacSetList(Settings& settings, const PathTable& paths, const Clock& clock, Prompts& prompts,
                             QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_paths(paths)
    , m_clock(clock)
    , m_prompts(prompts)
    , m_folder(zodiacSetsFolder(paths))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_combo = new ZodiacSetCombo(this);
    m_combo->setObjectName(QStringLiteral("ComboBox40"));
    m_combo->setItemDelegate(new SetDelegate(m_combo));
    m_delete = new QToolButton(this);
    m_delete->setObjectName(QStringLiteral("BitBtn146"));
    m_delete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_delete->setToolTip(u("Usuń wybrany zestaw znaków zodiaku"));
    layout->addWidget(m_combo, 1);
    layout->addWidget(m_delete);

    m_picker = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QString(), startFolder,
                                            u("Obrazki (*.png *.gif *.bmp *.jpg *.jpeg);;Wszystkie pliki (*)"));
    };

    connect(m_combo, &ZodiacSetCombo::aboutToDropDown, this, &ZodiacSetList::reload);
    connect(m_combo, &QComboBox::activated, this, &ZodiacSetList::choose);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &ZodiacSetList::updateDeleteButton);
    connect(m_delete, &QToolButton::clicked, this, &ZodiacSetList::deleteSelected);
    reload();
}

QString ZodiacSetList::fixedItemText() const
{
    const QString file = zodiacFixedPictureFile(m_paths, m_settings.main.zodiacPicture);
    return file.isEmpty() ? u("Stały obrazek") : u("Stały obrazek: ") + QFileInfo(file).fileName();
}

void ZodiacSetList::reload()
{
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    auto add = [this](const QString& text, Kind kind, int age = kNewSetHours, const QString& version = QString()) {
        m_combo->addItem(text);
        const int i = m_combo->count() - 1;
        m_combo->setItemData(i, int(kind), kKindRole);
        m_combo->setItemData(i, age, kAgeRole);
        m_combo->setItemData(i, version, kVersionRole);
    };
    add(u("Domyślny"), Kind::BuiltIn);
    for (const PictureSetInfo& set : scanZodiacSets(m_folder, m_clock.now()))
        add(set.name, Kind::Set, set.ageHours, set.version);
    add(fixedItemText(), Kind::Fixed);
    add(u("Wybierz obrazek..."), Kind::Pick);

    int selected = 0;
    if (m_settings.main.zodiacFixedPicture == 1) {
        selected = fixedIndex();
    } else {
        for (int i = 1; i < m_combo->count(); ++i) {
            if (kindAt(i) == Kind::Set && m_combo->itemText(i) == m_settings.main.zodiacSignSet)
                selected = i;
        }
    }
    m_combo->setCurrentIndex(selected);
    updateDeleteButton();
}

ZodiacSetList::Kind ZodiacSetList::kindAt(int index) const
{
    return Kind(m_combo->itemData(index, kKindRole).toInt());
}

int ZodiacSetList::fixedIndex() const
{
    return m_combo->count() - 2;
}

void ZodiacSetList::updateDeleteButton()
{
    // Only installed sets have a folder to delete.
    m_delete->setEnabled(kindAt(m_combo->currentIndex()) == Kind::Set);
}

void ZodiacSetList::choose(int index)
{
    if (index < 0 || index >= m_combo->count())
        return;
    MainWindowSettings& s = m_settings.main;
    switch (kindAt(index)) {
    case Kind::BuiltIn:
        s.zodiacFixedPicture = 0;
        s.zodiacSignSet.clear();
        break;
    case Kind::Set:
        s.zodiacFixedPicture = 0;
        s.zodiacSignSet = m_combo->itemText(index);
        break;
    case Kind::Pick: {
        const QString current = zodiacFixedPictureFile(m_paths, s.zodiacPicture);
        const QString start = current.isEmpty() ? m_folder : QFileInfo(current).absolutePath();
        const QString picked = m_picker ? m_picker(start) : QString();
        if (!picked.isEmpty()) {
            const QFileInfo info(picked);
            const QString folder = QDir::cleanPath(info.absolutePath());
            if (PolishUpper(folder) == PolishUpper(QDir::cleanPath(m_folder)))
                s.zodiacPicture = QStringLiteral("Gfx/Zodiak/") + info.fileName();
            else
                s.zodiacPicture = info.absoluteFilePath();
            m_combo->setItemText(fixedIndex(), u("Stały obrazek: ") + info.fileName());
        }
        s.zodiacFixedPicture = 1;
        const QSignalBlocker block(m_combo);
        m_combo->setCurrentIndex(fixedIndex());
        updateDeleteButton();
        break;
    }
    case Kind::Fixed:
        s.zodiacFixedPicture = 1;
        break;
    }
    emit choiceChanged();
}

bool ZodiacSetList::chooseInstalled(const QString& name)
{
    reload();
    for (int i = 1; i < m_combo->count(); ++i) {
        if (kindAt(i) == Kind::Set && m_combo->itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
            m_combo->setCurrentIndex(i);
            choose(i);
            return true;
        }
    }
    if (!QFileInfo(QDir(m_folder).filePath(name)).isFile())
        return false;
    m_settings.main.zodiacPicture = QStringLiteral("Gfx/Zodiak/") + name;
    m_settings.main.zodiacFixedPicture = 1;
    reload();
    choose(fixedIndex());
    return true;
}

void ZodiacSetList::deleteSelected()
{
    const int index = m_combo->currentIndex();
    if (index < 0 || kindAt(index) != Kind::Set)
        return;
    if (!m_prompts.askYesNo(u("Usuwanie znaków zodiaku"), u("Na pewno usunąć wybrany zestaw znaków zodiaku?"), this))
        return;

    const QString name = m_combo->itemText(index);
    // A linked set loses only its link, never what it points at.
    if (!removeAddonSetFolder(m_folder, name)) {
        m_prompts.error(u("Nie udało się usunąć zestawu znaków zodiaku \"") + name
                      + u("\". Sprawdź, czy masz prawo zapisu w folderze ") + QDir::toNativeSeparators(m_folder)
                      + QLatin1Char('.'),
                  this);
        reload();
        return;
    }
    {
        const QSignalBlocker block(m_combo);
        m_combo->removeItem(index);
        m_combo->setCurrentIndex(std::min(index, m_combo->count() - 1));
    }
    updateDeleteButton();
    choose(m_combo->currentIndex());
}

} // namespace zorvex
