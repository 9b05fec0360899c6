#pragma once

#include "platform/wallpaper/WallpaperSetter.h"

#include <QList>
#include <QString>

namespace zorvex {

// Records every picture it is asked to set and answers with `failure`,
// at once or, with `holdAnswers`, when the test calls answer().
class FakeWallpaperSetter : public WallpaperSetter {
public:
    struct Call {
        QString picture;
        bool spanned;
    };

    void setWallpaper(const QString& picture, bool spanned, Done done) override
    {
        calls.append({picture, spanned});
        if (holdAnswers)
            pending.append(std::move(done));
        else if (done)
            done(failure);
    }
    void answer()
    {
        for (Done& d : std::exchange(pending, {}))
            if (d)
                d(failure);
    }

    QList<Call> calls;
    QString failure;
    bool holdAnswers = false;
    QList<Done> pending;
};

} // namespace zorvex
