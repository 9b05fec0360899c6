#pragma once

#include "core/net/SntpTransport.h"

#include <QTimer>

#include <vector>

namespace zorvex {

// Records the corrections asked for and answers with the chosen result, from
// the event loop as the real one does; never touches the system clock.
class FakeTimeSetter : public SystemTimeSetter {
public:
    void adjustBy(qint64 offsetMs, std::function<void(Result, const QString&)> done) override
    {
        adjustments.push_back(offsetMs);
        const Result r = result;
        QTimer::singleShot(0, [done, r] { done(r, QString()); });
    }
    Result result = Result::Set;
    std::vector<qint64> adjustments;
};

} // namespace zorvex
