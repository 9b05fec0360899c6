#pragma once

#include "ui/calendar/ZodiacPictures.h"

#include <QComboBox>
#include <QWidget>

#include <functional>

class QToolButton;

namespace zorvex {

class Prompts;

class Clock;
class PathTable;
struct Settings;

// The combo box itself: rebuilds its items each time it is dropped down.
class ZodiacSetCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToDropDown();
};

// "Zestaw znaków zodiaku:" on the "Wygląd" page: "Domyślny", every complete
// set in Gfx/Zodiak/, the fixed picture and "Wybierz obrazek...", with the
// delete button. Sets added within the last 25 hours are written in dark
// blue and versions follow the name in grey, as in every add-on list.
class ZodiacSetList : public QWidget {
    Q_OBJECT
public:
    enum class Kind { BuiltIn, Set, Fixed, Pick };
    static constexpr int kKindRole = Qt::UserRole + 1;
    static constexpr int kVersionRole = Qt::UserRole + 2;
    static constexpr int kAgeRole = Qt::UserRole + 3;

    ZodiacSetList(Settings& settings, const PathTable& paths, const Clock& clock, Prompts& prompts,
                  QWidget* parent = nullptr);

    // ZodiakUstawDane: scans the folder again and selects by ZodiakTyp and
    // ZodiakStyl1.
    void reload();

    ZodiacSetCombo* comboBox() const { return m_combo; }
    QToolButton* deleteButton() const { return m_delete; }

    // The picture dialog (tests replace it): the start folder in, the picked
    // file out, empty when cancelled.
    using FilePicker = std::function<QString(const QString& startFolder)>;
    void setFilePicker(FilePicker picker) { m_picker = std::move(picker); }

    // Applies the item at `index` as if the user chose it.
    void choose(int index);
    // An add-on just installed: the set of that name, else the picture
    // "Gfx/Zodiak/<name>" as the fixed picture. False when neither exists.
    bool chooseInstalled(const QString& name);
    // The delete button: after the question, removes the selected set's
    // folder with everything in it.
    void deleteSelected();

signals:
    // The settings changed: DrawZodiacSign must run with KT02.
    void choiceChanged();

private:
    Kind kindAt(int index) const;
    int fixedIndex() const;
    QString fixedItemText() const;
    void updateDeleteButton();

    Settings& m_settings;
    const PathTable& m_paths;
    const Clock& m_clock;
    Prompts& m_prompts;
    QString m_folder;
    ZodiacSetCombo* m_combo = nullptr;
    QToolButton* m_delete = nullptr;
    FilePicker m_picker;
};

} // namespace zorvex
