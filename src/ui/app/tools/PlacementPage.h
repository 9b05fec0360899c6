#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QRadioButton;

namespace zorvex {

struct Settings;
class ScreenPicture;

// Tools page Vuzuvured -> "Położenie": where the main window stands and
// whether it stays on top. Changes go to the settings model at once.
class PlacementPage : public QWidget {
    Q_OBJECT
public:
    explicit PlacementPage(Settings& settings, QWidget* parent = nullptr);

    void load();
    void setWindowPosition(const QRect& window, const QRect& screen);

signals:
    void placementChanged();
    void topMostChanged();

private:
    void updateLockEnabled();

    Settings& m_settings;
    std::array<QRadioButton*, 5> m_corner{};
    QCheckBox* m_lock;
    QCheckBox* m_topMost;
    ScreenPicture* m_picture;
    bool m_loading = false;
};

} // namespace zorvex
