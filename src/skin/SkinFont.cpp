#include "skin/SkinFont.h"

#include <QStringList>

namespace {

const QString kDialogFace = QStringLiteral("MS Sans Serif");
constexpr int kDialogCellHeight = 10;
constexpr int kNormalWeight = 400;

void RegisterSubstitutes() {
    static const bool registered = [] {
        QFont::insertSubstitutions(
            kDialogFace, {QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR"),
                          QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)registered;
}

}  // namespace

QFont SkinFont(const QString& faceName, int cellHeight, int weight, bool underline) {
    RegisterSubstitutes();
    QFont font(faceName);
    font.setStyleHint(QFont::SansSerif);
    // The substitute draws its glyphs smaller within the same cell than the bitmap face it
    // replaces; a fifth more keeps the text as large as the skins were laid out for.
    font.setPixelSize(qMax(1, cellHeight + cellHeight / 5));
    // the weights are on the same 100..900 scale
    font.setWeight(QFont::Weight(qBound(100, weight, 900)));
    font.setUnderline(underline);
    font.setItalic(false);
    font.setStrikeOut(false);
    return font;
}

QFont DialogFont() {
    return SkinFont(kDialogFace, kDialogCellHeight, kNormalWeight, false);
}
