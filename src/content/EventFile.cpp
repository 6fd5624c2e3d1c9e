#include "content/EventFile.h"

#include "content/ServerText.h"
#include "platform/Cp949.h"
#include "platform/KeyNumbers.h"

namespace {

constexpr QByteArrayView kNextKey = "\r\n[";

}  // namespace

void ParseEventFile(QByteArrayView text, AppState& state) {
    state.eventLink = FromCp949(GetSectionValue(text, "[LINK]", kNextKey));
    state.eventImageUrl = FromCp949(GetSectionValue(text, "[IMG]", kNextKey));
    state.characterLink = FromCp949(GetSectionValue(text, "[QUILO]", kNextKey));
    std::array<int32_t, 3> times{};
    if (GetKeyValues(text.toByteArray(), "[QUILO_TIME]", times.data(),
                     static_cast<int>(times.size())) == 1) {
        state.characterTimes = times;
    }
}
