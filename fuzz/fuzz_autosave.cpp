// The autosave record a killed session leaves.
#include "FuzzInput.h"

#include "core/shell/Autosave.h"

using namespace zorvex;

namespace {

class Sink : public AutosaveSink {
public:
    bool uptimeLogOn() const override { return true; }
    void recordInterruptedSession(DayTime, DayTime) override {}
    bool mouseOdometerOn() const override { return true; }
    void addMouseToday(qint64) override {}
    bool trafficOn() const override { return true; }
    void addTrafficToday(qint64, qint64) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Sink sink;
    (void)recoverAutosave(fuzz::inputFile(data, size), sink);
    return 0;
}
