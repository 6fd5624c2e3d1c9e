// The day's program table as the service sends it, and the choice of the program on air from it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "content/ProgramTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int hour = input.ConsumeIntegralInRange<int>(0, 23);
    const int minute = input.ConsumeIntegralInRange<int>(0, 59);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const QByteArrayView view(text.data(), static_cast<qsizetype>(text.size()));
    const ProgramRows rows = ParseProgramTable(view);
    for (const ProgramRow& row : rows) {
        // every code was cut out of the text between its tags
        FUZZ_CHECK(view.indexOf("<PROGCD>" + row.code + "</PROGCD>") >= 0);
    }
    int32_t highWaterMark = 0;
    const QByteArray first = SelectCurrentProgram(rows, hour, minute, highWaterMark);
    // the answer is a code of the table or one of the fixed answers
    const bool known = first == ProgramAnswer::kOrder || first == ProgramAnswer::kBeforeFirst ||
                       (rows.empty() && first.isEmpty()) ||
                       std::any_of(rows.begin(), rows.end(),
                                   [&](const ProgramRow& row) { return row.code == first; });
    FUZZ_CHECK(known);
    // within a broadcast day, asking again at the same minute gives the same answer
    if (first != ProgramAnswer::kOrder) {
        FUZZ_CHECK(SelectCurrentProgram(rows, hour, minute, highWaterMark) == first);
    }
    return 0;
}
