// A program's info file, the event file and the ticker file: each fills its part of what is on
// air from whatever the server sends.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

#include "FuzzCheck.h"
#include "content/AppState.h"
#include "content/EventFile.h"
#include "content/ProgramInfoFile.h"
#include "content/ServerClock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::tm serverTime{};
    serverTime.tm_year = input.ConsumeIntegralInRange<int>(100, 130);
    serverTime.tm_mon = input.ConsumeIntegralInRange<int>(0, 11);
    serverTime.tm_mday = input.ConsumeIntegralInRange<int>(1, 31);
    serverTime.tm_hour = input.ConsumeIntegralInRange<int>(0, 23);
    serverTime.tm_min = input.ConsumeIntegralInRange<int>(0, 59);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const QByteArrayView view(text.data(), static_cast<qsizetype>(text.size()));

    AppState state;
    state.programCode = QStringLiteral("0000101");
    ParseProgramInfo(view, state);
    FUZZ_CHECK(state.programCode == QStringLiteral("0000101"));
    FUZZ_CHECK(!state.hasVfm || view.indexOf("[VFM]") >= 0);

    const std::array<int32_t, 3> timesBefore = state.characterTimes;
    ParseEventFile(view, state);
    // the sprites' timing changes only when the file has the timing key
    FUZZ_CHECK(view.indexOf("[QUILO_TIME]") >= 0 || state.characterTimes == timesBefore);

    const TickerLine ticker = TickerAt(view, serverTime);
    FUZZ_CHECK(ticker.text.isEmpty() || view.indexOf("[SCR_TXT]") >= 0);
    return 0;
}
