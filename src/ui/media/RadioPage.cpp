#include "ui/media/RadioPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvex {

namespace {

template <typename T>
T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    return named(new QPushButton(caption, parent), name);
}

} // namespace

RadioPage::RadioPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RadioPage"));
    auto* layout = new QVBoxLayout(this);

    tabs = new QTabWidget(this);
    auto* all = new QWidget;
    auto* allLayout = new QVBoxLayout(all);
    categories = named(new QComboBox(all), "ComboBox5");
    stations = named(new QListWidget(all), "RadioL");
    addFavourite = button("BitBtn104", QStringLiteral("Ulubione"), all);
    addFavourite->setToolTip(QStringLiteral("Dodaj wybraną stację do ulubionych"));
    allLayout->addWidget(categories);
    allLayout->addWidget(stations);
    allLayout->addWidget(addFavourite);
    tabs->addTab(all, QStringLiteral("Wszystkie stacje"));

    auto* fav = new QWidget;
    auto* favLayout = new QGridLayout(fav);
    favourites = named(new QListWidget(fav), "ListBox16");
    favLayout->addWidget(favourites, 0, 0, 1, 5);
    addStation = button("BitBtn105", QStringLiteral("Dodaj stację"), fav);
    editStation = button("BitBtn109", QStringLiteral("Edytuj stację"), fav);
    removeStation = button("BitBtn102", QStringLiteral("Usuń stację"), fav);
    moveUp = button("BitBtn107", QStringLiteral("▲"), fav);
    moveDown = button("BitBtn108", QStringLiteral("▼"), fav);
    favLayout->addWidget(addStation, 1, 0);
    favLayout->addWidget(editStation, 1, 1);
    favLayout->addWidget(removeStation, 1, 2);
    favLayout->addWidget(moveUp, 1, 3);
    favLayout->addWidget(moveDown, 1, 4);
    tabs->addTab(fav, QStringLiteral("Ulubione"));
    layout->addWidget(tabs);

    auto* fields = new QGridLayout;
    name = named(new QLineEdit(this), "Edit43");
    bitrate = named(new QLineEdit(this), "Edit44");
    title = named(new QLineEdit(this), "Edit45");
    for (QLineEdit* e : {name, bitrate, title})
        e->setReadOnly(true);
    webPage = named(new QLabel(this), "Label81");
    webPage->setCursor(Qt::PointingHandCursor);
    state = named(new QLabel(QStringLiteral("Stop"), this), "Label84");
    recordingTime = named(new QLabel(this), "Label114");
    const struct {
        const char* caption;
        QWidget* field;
    } rows[] = {{"Nazwa stacji:", name}, {"Bitrate:", bitrate}, {"Tytuł:", title},
                {"Strona stacji:", webPage}, {"Stan:", state}, {"Nagrywanie:", recordingTime}};
    int row = 0;
    for (const auto& r : rows) {
        fields->addWidget(new QLabel(QString::fromUtf8(r.caption), this), row, 0);
        fields->addWidget(r.field, row++, 1);
    }
    layout->addLayout(fields);

    reconnect = named(new QWidget(this), "PanelReConnect");
    auto* rc = new QHBoxLayout(reconnect);
    reconnectText = named(new QLabel(reconnect), "LblReConnect");
    reconnectCancel = button("BitBtnReConnect", QStringLiteral("Anuluj"), reconnect);
    rc->addWidget(reconnectText, 1);
    rc->addWidget(reconnectCancel);
    reconnect->hide();
    layout->addWidget(reconnect);

    auto* transport = new QHBoxLayout;
    previous = button("BitBtn113", QStringLiteral("|◀"), this);
    play = button("BitBtn106", QStringLiteral("▶"), this);
    stop = button("BitBtn103", QStringLiteral("■"), this);
    next = button("BitBtn114", QStringLiteral("▶|"), this);
    record = button("BitBtn125", QStringLiteral("●"), this);
    record->setToolTip(QStringLiteral("Nagrywaj"));
    record->setEnabled(false);
    recordOptions = button("BitBtn126", QStringLiteral("Opcje nagrywania"), this);
    for (QPushButton* b : {previous, play, stop, next, record, recordOptions})
        transport->addWidget(b);
    volume = named(new QScrollBar(Qt::Horizontal, this), "Scroll2");
    volume->setRange(0, 100);
    volumeText = named(new QLabel(this), "Label88");
    transport->addWidget(volume, 1);
    transport->addWidget(volumeText);
    layout->addLayout(transport);

    auto* start = new QHBoxLayout;
    autoPlay = named(new QCheckBox(QStringLiteral("Odtwórz przy uruchomieniu Zorvex"), this), "CheckBox56");
    autoStation = named(new QComboBox(this), "ComboRad");
    start->addWidget(autoPlay);
    start->addWidget(autoStation, 1);
    layout->addLayout(start);
}

QListWidget* RadioPage::visibleList() const
{
    return tabs->currentIndex() == Favourites ? favourites : stations;
}

} // namespace zorvex
