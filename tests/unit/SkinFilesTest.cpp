// The shipped skins must be complete: a missing bitmap or key hides a control or breaks a window
// for every listener who picks the skin. These tests read the skins in the source tree the way
// the player does: bitmaps as 24-bit files, keys through GetKeyValues.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtEndian>
#include <vector>

#include "platform/KeyNumbers.h"
#include "skin/BitmapFileCache.h"
#include "skin/SkinInfo.h"
#include "support/TestEnvironment.h"
#include "windows/SkinLayout.h"

using namespace Qt::StringLiterals;

namespace {

QString Folder(const QString& skin) {
    return TestEnvironment::SourceDir() + u"/Skins/"_s + skin;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 Le32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

// Checks the header the way a bitmap loader relies on it; returns the picture or a null image.
QImage LoadBitmap(const QString& path) {
    const QByteArray bytes = ReadAll(path);
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        ADD_FAILURE() << path.toStdString() << ": not a bitmap file";
        return {};
    }
    const qint32 width = Le32(bytes, 18);
    const qint32 height = Le32(bytes, 22);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << path.toStdString();
    EXPECT_EQ(Le32(bytes, 30), 0) << path.toStdString() << " is compressed";
    EXPECT_TRUE(width >= 1 && width <= 1024 && height >= 1 && height <= 1024)
        << path.toStdString() << " is " << width << " x " << height;
    EXPECT_GE(bytes.size(), Le32(bytes, 10) + ((width * 3 + 3) & ~3) * qAbs(height))
        << path.toStdString();
    const QImage image = BitmapFileCache::Decode(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

bool IsKey(QRgb pixel) {
    return (pixel & 0xffffff) == 0x0000ff;
}

class SkinFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    QString skin_ = QString::fromLatin1(GetParam());
    QByteArray text_ = ReadAll(Folder(skin_) + u"/skininfo.ini"_s);
};

// Every bitmap of the skin is a 24-bit file of sane size, a control's two states share one size
// (it would jump under the pointer), and every frame the animation key announces is there.
TEST_P(SkinFilesTest, EveryBitmapIsAWellFormed24BitFileAndStatesShareTheirSize) {
    const QDir folder(Folder(skin_));
    const QStringList files = folder.entryList({u"*.bmp"_s}, QDir::Files);
    ASSERT_GT(files.size(), 40);
    for (const QString& file : files) {
        const QImage image = LoadBitmap(folder.filePath(file));
        for (const auto& [from, to] :
             {std::pair{"_up.bmp", "_dn.bmp"}, std::pair{"channel.bmp", "channel_dn.bmp"},
              std::pair{"thumb.bmp", "thumb_dn.bmp"}}) {
            if (file.endsWith(QLatin1String(from))) {
                QString other = file;
                other.replace(other.size() - qstrlen(from), qstrlen(from), QLatin1String(to));
                EXPECT_EQ(QImage(folder.filePath(other)).size(), image.size())
                    << other.toStdString();
            }
        }
    }
    EXPECT_EQ(LoadBitmap(folder.filePath(u"choice.bmp"_s)).size(), QSize(64, 64));
    int32_t animation[6] = {};
    ASSERT_EQ(GetKeyValues(text_, "[MAIN_QUILO_G]", animation, 6), 1);
    const int frames = animation[4] & 0xff;
    ASSERT_GE(frames, 1);
    for (int frame = 1; frame <= frames + 1; ++frame) {
        EXPECT_EQ(files.contains(u"main_quiloG_%1.bmp"_s.arg(frame, 2, 10, QLatin1Char('0'))),
                  frame <= frames)
            << "frame " << frame << " of " << frames;
    }
}

// CR LF lines only, the last one included, or the last number cannot be read; every key once (the
// first occurrence wins, a second would be silently ignored) with bare numbers (a blank after a
// digit would multiply the number by ten).
TEST_P(SkinFilesTest, DescriptionHasEveryKeyOnceWithBareNumbersAndCrLfLines) {
    ASSERT_TRUE(text_.endsWith("\r\n")) << "no skininfo.ini, or no line end at its end";
    EXPECT_EQ(text_.count("\n"), text_.count("\r\n"));
    EXPECT_EQ(text_.count("\r"), text_.count("\r\n"));
    const QRegularExpression keyLine(u"^(\\[[A-Z0-9_]+\\])(.*)$"_s);
    int keys = 0;
    for (const QByteArray& line : text_.split('\n')) {
        const QRegularExpressionMatch match =
            keyLine.match(QString::fromLatin1(line.chopped(line.endsWith('\r') ? 1 : 0)));
        if (!match.hasMatch()) {
            continue;
        }
        ++keys;
        const QByteArray key = match.captured(1).toLatin1();
        EXPECT_EQ(text_.count(key), 1) << key.constData();
        EXPECT_TRUE(
            QRegularExpression(u"^[ =\\t]-?\\d+(,-?\\d+)*$"_s).match(match.captured(2)).hasMatch())
            << key.constData();
    }
    EXPECT_GT(keys, 60);
    // every key the default skin has (the menu colour is optional: without it the menus keep
    // their default title colour), or the control it places stays hidden
    const QByteArray standard = ReadAll(Folder(u"Quilo2"_s) + "/skininfo.ini");
    for (const QRegularExpressionMatch& key :
         QRegularExpression(u"^\\[[A-Z0-9_]+\\]"_s, QRegularExpression::MultilineOption)
             .globalMatch(QString::fromLatin1(standard))) {
        EXPECT_TRUE(key.captured() == u"[MENU_COL]" || text_.contains(key.captured().toLatin1()))
            << key.captured().toStdString();
    }
}

// The faces place their buttons from the player's own table: each of its keys must be in the skin
// with both bitmaps of one size, on opaque parts of the face and apart from each other, or the
// button stays hidden or out of reach for everybody who wears the skin.
TEST_P(SkinFilesTest, ThePlayersFaceTableFindsEveryButtonAndSliderOnItsFace) {
    QDir().mkpath(u"./Skins"_s);
    QFile::link(Folder(skin_), u"./Skins/"_s + skin_);
    SkinInfo skin;
    ASSERT_TRUE(skin.Load(skin_));
    EXPECT_TRUE(SkinLayout::CanBeWorn(skin));
    const auto checkFace = [&](std::span<const ButtonKey> buttons,
                               const SkinLayout::SliderKey& slider, const char* background) {
        const QImage bg(skin.FilePath(QLatin1String(background)));
        ASSERT_FALSE(bg.isNull()) << background;
        std::vector<std::pair<const char*, QRect>> placed;
        const auto place = [&](const char* key, const QString& bitmap) {
            int32_t at[2] = {};
            EXPECT_TRUE(skin.GetKeyValues(key, at, 2)) << key;
            const QImage image(bitmap);
            ASSERT_FALSE(image.isNull()) << bitmap.toStdString();
            const QRect r(QPoint(at[0], at[1]), image.size());
            ASSERT_TRUE(bg.rect().contains(r)) << key << " leaves the window";
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    ASSERT_FALSE(IsKey(bg.pixel(x, y))) << key << " stands on see-through pixels";
                }
            }
            for (const auto& [other, area] : placed) {
                EXPECT_FALSE(area.intersects(r)) << other << " covers " << key;
            }
            placed.emplace_back(key, r);
        };
        // (each picture's pressed twin has its size: the bitmap test sees to that)
        for (const ButtonKey& key : buttons) {
            place(key.key, skin.FilePath(QLatin1String(key.stem) + "_up.bmp"));
        }
        const QString stem = skin.FilePath(QLatin1String(slider.stem));
        place(slider.key, stem + "channel.bmp");
        // the slider draws its thumb at the channel's top, inside the channel's height
        const QImage thumb(stem + "thumb.bmp");
        ASSERT_FALSE(thumb.isNull()) << slider.stem;
        EXPECT_LE(thumb.height(), QImage(stem + "channel.bmp").height());
    };
    checkFace(SkinLayout::MainButtons(), SkinLayout::kMainVolume, SkinLayout::kMainBackground);
    checkFace(SkinLayout::MiniButtons(), SkinLayout::kMiniVolume, SkinLayout::kMiniBackground);
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, SkinFilesTest, ::testing::Values("Quilo2", "Midnight"));

// The program's own images stand in when a skin lacks a dialog background: each is a well-formed
// bitmap, and each of the nine 16 x 15 menu images draws something (the menu takes the colour key
// as see-through, so a cell of nothing but that colour is a command without its image).
TEST(BuiltInImagesTest, EveryResourceIsAWellFormedBitmapAndEveryMenuImageDraws) {
    const QStringList bitmaps = QDir(u":/res"_s).entryList({u"*.bmp"_s});
    ASSERT_GT(bitmaps.size(), 10);
    for (const QString& name : bitmaps) {
        LoadBitmap(u":/res/"_s + name);
    }
    const QImage toolbar(u":/res/toolbar128.bmp"_s);
    ASSERT_GE(toolbar.width(), 9 * 16);
    for (int cell = 0; cell < 9; ++cell) {
        int drawn = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = cell * 16; x < cell * 16 + 16; ++x) {
                drawn += IsKey(toolbar.pixel(x, y)) ? 0 : 1;
            }
        }
        EXPECT_GT(drawn, 0) << "menu image " << cell;
    }
    // the chime: 16-bit PCM, shorter than a second
    const QByteArray wave = ReadAll(u":/res/wave198.wav"_s);
    ASSERT_GE(wave.size(), 44);
    EXPECT_TRUE(wave.startsWith("RIFF") && wave.mid(8, 8) == "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(wave.constData() + 20), 1);   // PCM
    EXPECT_EQ(qFromLittleEndian<quint16>(wave.constData() + 34), 16);  // bits per sample
    ASSERT_GT(Le32(wave, 28), 0);
    EXPECT_LT(Le32(wave, 40), Le32(wave, 28));
}

// What a file is meant to be decides its decoder, never its bytes: a skin's bitmap is read as a
// BMP file, a picture the service names as BMP or JPEG.
TEST(BitmapFormatsTest, AFileIsAnImageOnlyInAFormatItsUseAllows) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    struct Case {
        const char* format;
        bool asSkinBitmap;
        bool asDownloaded;
    };
    for (const Case& test :
         {Case{"BMP", true, true}, Case{"JPEG", false, true}, Case{"PNG", false, false}}) {
        const QString path = QLatin1String(test.format) + u"_1.bmp"_s;
        ASSERT_TRUE(picture.save(path, test.format)) << test.format;
        // the looser reading first: its cached copy must not serve the stricter one
        EXPECT_EQ(BitmapFileCache::Load(path, BitmapFileCache::Formats::Downloaded).size() ==
                      picture.size(),
                  test.asDownloaded)
            << test.format;
        EXPECT_EQ(!BitmapFileCache::Load(path).isNull(), test.asSkinBitmap) << test.format;
    }
}

}  // namespace
