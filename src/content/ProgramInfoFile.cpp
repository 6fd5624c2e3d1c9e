#include "content/ProgramInfoFile.h"

#include "content/ServerText.h"
#include "platform/Cp949.h"

namespace {

constexpr QByteArrayView kNextKey = "\r\n[";

QString Value(QByteArrayView text, QByteArrayView key, QByteArrayView terminator = kNextKey) {
    return FromCp949(GetSectionValue(text, key, terminator));
}

bool FlagIs(QByteArrayView text, QByteArrayView key, char upper) {
    const char flag = GetSectionFlag(text, key);
    return flag == upper || flag == upper + ('a' - 'A');
}

}  // namespace

void ParseProgramInfo(QByteArrayView text, AppState& state) {
    state.title = Value(text, "[TITLE]");
    state.link1 = Value(text, "[LINK_1]");
    state.link2 = Value(text, "[LINK_2]");
    state.image1Url = Value(text, "[IMG_1]");
    state.image2Url = Value(text, "[IMG_2]");
    state.hasVfm = FlagIs(text, "[VFM]", 'Y');
    state.isLive = FlagIs(text, "[AIR]", 'L');
    // the scrolling text may span lines and the description may hold lines that begin with
    // "[": each ends only at the key that follows it
    state.scrollText = Value(text, "[SCROLL]", "\r\n[SCROLL_LINK]");
    state.scrollLink = Value(text, "[SCROLL_LINK]");
    state.contents = Value(text, "[CONTENTS]", "\r\n[END]");
}
