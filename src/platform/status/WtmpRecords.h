#pragma once

#include "core/status/StatusSources.h"

#include <QString>

namespace zorvex {

// The login accounting file: a boot record (BOOT_TIME, user "reboot")
// starts a run and the next shutdown record (RUN_LVL, user "shutdown") ends
// it. The file is read in place, record by record; a missing or unreadable
// file gives nothing.
class WtmpRecords final : public UptimeRecordSource {
public:
    // ZORVEX_WTMP when set, else /var/log/wtmp.
    static QString defaultPath();

    explicit WtmpRecords(QString path = defaultPath());
    std::vector<UptimeEvent> read() override;
    QString location() const override { return m_path; }

private:
    QString m_path;
};

} // namespace zorvex
