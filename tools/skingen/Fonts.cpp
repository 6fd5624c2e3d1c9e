#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

const char* const kFolder = "/usr/share/fonts/truetype/nanum/";
const char* const kFiles[] = {
    "NanumGothic.ttf",  "NanumGothicBold.ttf",   "NanumSquareR.ttf",
    "NanumSquareB.ttf", "NanumSquareRoundR.ttf", "NanumSquareRoundB.ttf",
};

QString Family(Fonts::Face face) {
    switch (face) {
        case Fonts::Face::Square:
            return QStringLiteral("NanumSquare");
        case Fonts::Face::Round:
            return QStringLiteral("NanumSquareRound");
        case Fonts::Face::Gothic:
            break;
    }
    return QStringLiteral("NanumGothic");
}

}  // namespace

bool Fonts::Load() {
    for (const char* file : kFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(kFolder) + file) < 0) {
            return false;
        }
    }
    return true;
}

QFont Fonts::Get(Face face, double pixelSize, bool bold) {
    QFont font(Family(face));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    font.setKerning(true);
    return font;
}
