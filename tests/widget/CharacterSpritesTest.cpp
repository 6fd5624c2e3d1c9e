#include "windows/CharacterSprites.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

#include "WidgetTestKit.h"
#include "content/AppState.h"
#include "skin/SkinInfo.h"
#include "support/Await.h"

using namespace Qt::StringLiterals;

using namespace WidgetTestKit;

namespace {

// A face that paints nothing but the sprites, on white.
class SpriteFace : public QWidget {
public:
    SpriteFace(const SkinInfo& skin, const AppState& state) : sprites(*this, skin, state) {
        resize(440, 240);
    }

    int PixelsOf(QColor color) {
        const QImage image = grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    CharacterSprites sprites;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        sprites.Paint(painter);
    }
};

}  // namespace

TEST(CharacterSprites, ASpriteWhoseBitmapCannotBeReadLeavesTheFaceAtItsNextHop) {
    const QString folder = u"./Skins/Sprites"_s;
    QDir().mkpath(folder);
    QFile ini(folder + u"/skininfo.ini"_s);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    // a wide area for two small sprites: they hardly ever overlap
    ini.write("[MAIN_QUILO]=10,10,400,200\r\n");
    ini.close();
    // the small character red, the big one green
    ASSERT_TRUE(Filled({4, 4}, Qt::red).save(folder + u"/quilo_small.bmp"_s));
    ASSERT_TRUE(Filled({4, 4}, Qt::green).save(folder + u"/quilo_big.bmp"_s));
    SkinInfo skin;
    ASSERT_TRUE(skin.Load(u"Sprites"_s));
    AppState state;
    state.characterTimes = {1, -1, 0};  // on after a second, and it stays

    SpriteFace face(skin, state);
    ASSERT_TRUE(ShowAndWait(face));
    face.sprites.ApplySkin();
    face.sprites.StartCharacterCycle();
    ASSERT_TRUE(
        Await([&] { return face.PixelsOf(Qt::red) == 32 && face.PixelsOf(Qt::green) == 0; }, 20000))
        << "both sprites show the small character";

    // the big character's bitmap is gone: a sprite that picks it is gone too, instead of the
    // small one staying where it last was (about every other hop, a hop a second per sprite)
    ASSERT_TRUE(QFile::remove(folder + u"/quilo_big.bmp"_s));
    EXPECT_TRUE(Await([&] { return face.PixelsOf(Qt::red) < 32; }, 12000));
}
