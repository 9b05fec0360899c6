#pragma once

#include "ui/common/BlockedWindow.h"

#include <QDialog>

class QCheckBox;

namespace zorvex {

struct AssociationSettings;

// "Skojarzenia plików": which package types the desktop opens with the
// program. Closing it (OK or the close box) stores and applies the choice.
class AssociationsDialog : public QDialog {
    Q_OBJECT
public:
    AssociationsDialog(AssociationSettings& settings, QWidget* parent = nullptr);

    void openOver(QWidget* toolsWindow);

signals:
    // The settings hold the new choice: store the keys, register the types.
    void changed();

private:
    void done(int result) override;

    AssociationSettings& m_settings;
    QCheckBox* m_backups;
    QCheckBox* m_addons;
    BlockedWindow m_blocked;
};

} // namespace zorvex
