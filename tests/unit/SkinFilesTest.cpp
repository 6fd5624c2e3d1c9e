// The shipped skins must be complete: a missing bitmap or key hides a control or breaks a window
// for every listener who picks the skin. These tests read the skins in the source tree the way
// the player does: bitmaps as 24-bit files, keys through GetKeyValues.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtEndian>
#include <ostream>
#include <vector>

#include "skin/BitmapFileCache.h"
#include "skin/SkinInfo.h"
#include "support/TestEnvironment.h"
#include "windows/SkinLayout.h"

// Sizes read in failure messages as "w x h".
static void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}

namespace {

// What a key's numbers place on its window.
enum class Shape {
    Colour,   // red, green, blue
    Area,     // x, y, width, height (and more numbers after them)
    Control,  // x, y of a control that takes the size of `file`
    Point,    // x, y of a picture the server provides (its size is not the skin's)
    Sprites,  // the area the characters' top-left corners land in: they reach one sprite further
    Video,    // x, y of the 320 x 240 video
};

struct LayoutKey {
    const char* key;
    int count;
    Shape shape;
    const char* file = nullptr;  // the bitmap a control takes its size from
    QSize least = {};            // text areas: the room the text needs
};

struct WindowLayout {
    const char* prefix;
    std::vector<const char*> buttons;
    std::vector<const char*> checks;
    bool slider;
    std::vector<LayoutKey> keys;
};

// Every window, its controls and its keys with the number of values the player reads.
const std::vector<WindowLayout>& Windows() {
    static const std::vector<WindowLayout> windows = {
        {"main",
         {"mini", "hide", "close", "info", "play", "stop", "mute", "view", "send"},
         {},
         true,
         {{"[MAIN_EDIT]", 4, Shape::Area, nullptr, {120, 40}},  // several lines of message
          {"[MAIN_EDIT_COL]", 3, Shape::Colour},
          {"[MAIN_LENG]", 4, Shape::Area, nullptr, {44, 14}},  // "200/200"
          {"[MAIN_LENG_COL]", 3, Shape::Colour},
          {"[MAIN_SCR]", 4, Shape::Area, nullptr, {120, 18}},  // a line of 12-pixel Korean
          {"[MAIN_SCR_COL]", 3, Shape::Colour},
          {"[MAIN_MINI]", 2, Shape::Control, "main_btn_mini_up.bmp"},
          {"[MAIN_HIDE]", 2, Shape::Control, "main_btn_hide_up.bmp"},
          {"[MAIN_CLOSE]", 2, Shape::Control, "main_btn_close_up.bmp"},
          {"[MAIN_INFO]", 2, Shape::Control, "main_btn_info_up.bmp"},
          {"[MAIN_PLAY]", 2, Shape::Control, "main_btn_play_up.bmp"},
          {"[MAIN_STOP]", 2, Shape::Control, "main_btn_stop_up.bmp"},
          {"[MAIN_MUTE]", 2, Shape::Control, "main_btn_mute_up.bmp"},
          {"[MAIN_VOLM]", 2, Shape::Control, "main_sld_vol_channel.bmp"},
          {"[MAIN_VIEW]", 2, Shape::Control, "main_btn_view_up.bmp"},
          {"[MAIN_SEND]", 2, Shape::Control, "main_btn_send_up.bmp"},
          {"[MAIN_QUILO]", 4, Shape::Sprites, "quilo_big.bmp"},
          {"[MAIN_QUILO_G]", 6, Shape::Area},
          {"[MAIN_LINK0]", 4, Shape::Area},
          {"[MAIN_LINK1]", 2, Shape::Point},
          {"[MAIN_LINK2]", 2, Shape::Point},
          {"[MAIN_LINK3]", 2, Shape::Control, "event_null.bmp"}}},
        {"mini",
         {"main", "hide", "close", "info", "play", "stop", "mute", "view"},
         {},
         true,
         {{"[MINI_SCR]", 4, Shape::Area, nullptr, {120, 18}},
          {"[MINI_SCR_COL]", 3, Shape::Colour},
          {"[MINI_MAIN]", 2, Shape::Control, "mini_btn_main_up.bmp"},
          {"[MINI_HIDE]", 2, Shape::Control, "mini_btn_hide_up.bmp"},
          {"[MINI_CLOSE]", 2, Shape::Control, "mini_btn_close_up.bmp"},
          {"[MINI_INFO]", 2, Shape::Control, "mini_btn_info_up.bmp"},
          {"[MINI_PLAY]", 2, Shape::Control, "mini_btn_play_up.bmp"},
          {"[MINI_STOP]", 2, Shape::Control, "mini_btn_stop_up.bmp"},
          {"[MINI_MUTE]", 2, Shape::Control, "mini_btn_mute_up.bmp"},
          {"[MINI_VOLM]", 2, Shape::Control, "mini_sld_vol_channel.bmp"},
          {"[MINI_VIEW]", 2, Shape::Control, "mini_btn_view_up.bmp"},
          {"[MINI_LINK]", 4, Shape::Area}}},
        {"log",
         {"ok", "cancel", "find", "member"},
         {"save"},
         false,
         {{"[LOG_ID]", 4, Shape::Area, nullptr, {60, 14}},
          {"[LOG_ID_COL]", 3, Shape::Colour},
          {"[LOG_PW]", 4, Shape::Area, nullptr, {60, 14}},
          {"[LOG_PW_COL]", 3, Shape::Colour},
          {"[LOG_SAVE]", 2, Shape::Control, "log_chk_save_up.bmp"},
          {"[LOG_OK]", 2, Shape::Control, "log_btn_ok_up.bmp"},
          {"[LOG_CANCEL]", 2, Shape::Control, "log_btn_cancel_up.bmp"},
          {"[LOG_FIND]", 2, Shape::Control, "log_btn_find_up.bmp"},
          {"[LOG_MEMBER]", 2, Shape::Control, "log_btn_member_up.bmp"},
          {"[LOG_WAIT]", 4, Shape::Area}}},
        {"set",
         {"ok", "cancel", "schedule"},
         {"auto", "top", "schedule"},
         false,
         {{"[SET_AUTO]", 2, Shape::Control, "set_chk_auto_up.bmp"},
          {"[SET_TOP]", 2, Shape::Control, "set_chk_top_up.bmp"},
          {"[SET_SCHEDULE]", 2, Shape::Control, "set_chk_schedule_up.bmp"},
          {"[SET_SCHEVIEW]", 2, Shape::Control, "set_btn_schedule_up.bmp"},
          {"[SET_OK]", 2, Shape::Control, "set_btn_ok_up.bmp"},
          {"[SET_CANCEL]", 2, Shape::Control, "set_btn_cancel_up.bmp"}}},
        {"sch",
         {"ok", "cancel", "view"},
         {},
         false,
         {{"[SCH_OK]", 2, Shape::Control, "sch_btn_ok_up.bmp"},
          {"[SCH_CANCEL]", 2, Shape::Control, "sch_btn_cancel_up.bmp"},
          {"[SCH_VIEW]", 2, Shape::Control, "sch_btn_view_up.bmp"}}},
        {"skin",
         {"ok", "cancel"},
         {},
         false,
         {{"[SKIN_OK]", 2, Shape::Control, "skin_btn_ok_up.bmp"},
          {"[SKIN_CANCEL]", 2, Shape::Control, "skin_btn_cancel_up.bmp"},
          {"[SKIN_LIST]", 4, Shape::Area, nullptr, {80, 90}},  // a 64 x 64 icon and its name
          {"[SKIN_LIST_COL]", 3, Shape::Colour}}},
        {"info",
         {"close"},
         {},
         false,
         {{"[INFO_TITLE]", 4, Shape::Area, nullptr, {100, 14}},
          {"[INFO_TITLE_COL]", 3, Shape::Colour},
          {"[INFO_EDIT]", 4, Shape::Area, nullptr, {100, 60}},
          {"[INFO_EDIT_COL]", 3, Shape::Colour},
          {"[INFO_CLOSE]", 2, Shape::Control, "info_btn_close_up.bmp"}}},
        {"about",
         {"ok"},
         {},
         false,
         {{"[ABOUT_OK]", 2, Shape::Control, "about_btn_ok_up.bmp"},
          {"[ABOUT_EDIT]", 4, Shape::Area, nullptr, {150, 39}},  // three lines
          {"[ABOUT_LINK]", 4, Shape::Area}}},
        {"view",
         {"close"},
         {},
         false,
         {{"[VIEW_VIEWER]", 2, Shape::Video},
          {"[VIEW_CLOSE]", 2, Shape::Control, "view_btn_close_up.bmp"}}},
    };
    return windows;
}

QString Folder(const QString& skin) {
    return TestEnvironment::SourceDir() + QStringLiteral("/Skins/") + skin;
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
    const int bits = qFromLittleEndian<quint16>(bytes.constData() + 28);
    const qint32 compression = Le32(bytes, 30);
    const qint64 stride = (width * 3 + 3) & ~3;
    EXPECT_EQ(bits, 24) << path.toStdString();
    EXPECT_EQ(compression, 0) << path.toStdString();
    EXPECT_TRUE(width >= 1 && width <= 1024 && height >= 1 && height <= 1024)
        << path.toStdString() << " is " << width << " x " << height;
    EXPECT_GE(bytes.size(), Le32(bytes, 10) + stride * qAbs(height)) << path.toStdString();
    const QImage image = BitmapFileCache::Decode(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

bool IsKey(QRgb pixel) {
    return (pixel & 0xffffff) == 0x0000ff;
}

// The bitmaps of a window: background and every control's two states.
QStringList WindowFiles(const WindowLayout& w) {
    const QString p = QString::fromLatin1(w.prefix);
    QStringList files{p + QStringLiteral("_bg.bmp")};
    for (const char* b : w.buttons) {
        files << p + QStringLiteral("_btn_") + b + QStringLiteral("_up.bmp")
              << p + QStringLiteral("_btn_") + b + QStringLiteral("_dn.bmp");
    }
    for (const char* c : w.checks) {
        files << p + QStringLiteral("_chk_") + c + QStringLiteral("_up.bmp")
              << p + QStringLiteral("_chk_") + c + QStringLiteral("_dn.bmp");
    }
    if (w.slider) {
        for (const char* part : {"channel", "channel_dn", "thumb", "thumb_dn"}) {
            files << p + QStringLiteral("_sld_vol_") + part + QStringLiteral(".bmp");
        }
    }
    return files;
}

class SkinFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    QString skin_ = QString::fromLatin1(GetParam());
    QByteArray text_ = ReadAll(Folder(skin_) + QStringLiteral("/skininfo.ini"));

    QImage Bitmap(const QString& file) const { return LoadBitmap(Folder(skin_) + '/' + file); }

    std::vector<int32_t> Values(const LayoutKey& k) const {
        std::vector<int32_t> values(static_cast<size_t>(k.count), 0);
        EXPECT_EQ(SkinInfo::GetKeyValues(text_, k.key, values.data(), k.count), 1) << k.key;
        return values;
    }

    // The space the key's control takes on its window; empty for colours and server pictures.
    QRect Footprint(const LayoutKey& k) const {
        const std::vector<int32_t> v = Values(k);
        switch (k.shape) {
            case Shape::Area:
                return QRect(v[0], v[1], v[2], v[3]);
            case Shape::Control:
                return QRect(QPoint(v[0], v[1]), Bitmap(QString::fromLatin1(k.file)).size());
            case Shape::Sprites: {
                const QSize sprite = Bitmap(QString::fromLatin1(k.file)).size();
                return QRect(v[0], v[1], v[2] + sprite.width(), v[3] + sprite.height());
            }
            case Shape::Video:
                return QRect(v[0], v[1], 320, 240);
            case Shape::Point:
                return QRect(v[0], v[1], 1, 1);
            case Shape::Colour:
                break;
        }
        return {};
    }
};

TEST_P(SkinFilesTest, EveryBitmapIsThereAsA24BitFileOfSaneSize) {
    for (const WindowLayout& w : Windows()) {
        const QStringList files = WindowFiles(w);
        Bitmap(files.front());
        // a control that changes size between its two states would jump under the pointer;
        // the slider's two channels must even share one outline
        for (qsizetype i = 1; i + 1 < files.size(); i += 2) {
            EXPECT_EQ(Bitmap(files[i]).size(), Bitmap(files[i + 1]).size())
                << files[i].toStdString();
        }
    }
    // the slider draws its thumb at the channel's top, inside the channel's height
    for (const char* prefix : {"main", "mini"}) {
        const QString p = QString::fromLatin1(prefix);
        EXPECT_LE(Bitmap(p + QStringLiteral("_sld_vol_thumb.bmp")).height(),
                  Bitmap(p + QStringLiteral("_sld_vol_channel.bmp")).height());
    }
    EXPECT_EQ(Bitmap(QStringLiteral("choice.bmp")).size(), QSize(64, 64));
    for (const char* file : {"quilo_big.bmp", "quilo_small.bmp", "event_null.bmp"}) {
        Bitmap(QString::fromLatin1(file));
    }
    // one frame file per frame the animation key announces, numbered from 01
    int32_t animation[6] = {};
    ASSERT_EQ(SkinInfo::GetKeyValues(text_, "[MAIN_QUILO_G]", animation, 6), 1);
    ASSERT_GE(animation[4] & 0xff, 1);
    for (int frame = 1; frame <= (animation[4] & 0xff); ++frame) {
        Bitmap(QStringLiteral("main_quiloG_%1.bmp").arg(frame, 2, 10, QLatin1Char('0')));
    }
    EXPECT_FALSE(
        QFile::exists(Folder(skin_) + QStringLiteral("/main_quiloG_%1.bmp")
                                          .arg((animation[4] & 0xff) + 1, 2, 10, QLatin1Char('0'))))
        << "frames beyond the announced count are never shown";
}

TEST_P(SkinFilesTest, DescriptionHasEveryKeyOnceWithBareNumbersAndCrLfLines) {
    ASSERT_FALSE(text_.isEmpty()) << "no skininfo.ini in " << skin_.toStdString();
    // CR LF only, the last line included, or the last number cannot be read
    ASSERT_TRUE(text_.endsWith("\r\n"));
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\n') {
            ASSERT_TRUE(i > 0 && text_[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (text_[i] == '\r') {
            ASSERT_TRUE(i + 1 < text_.size() && text_[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    std::vector<LayoutKey> keys;
    for (const WindowLayout& w : Windows()) {
        keys.insert(keys.end(), w.keys.begin(), w.keys.end());
    }
    // the menu colour is optional: without it the menus keep their default title colour
    if (text_.contains("[MENU_COL]")) {
        keys.push_back({"[MENU_COL]", 3, Shape::Colour});
    }
    for (const LayoutKey& k : keys) {
        SCOPED_TRACE(k.key);
        Values(k);
        // the first occurrence wins, so a second one would be silently ignored
        EXPECT_EQ(text_.count(k.key), 1);
        // a blank after a digit would multiply the number by ten: the numbers must end at the
        // comma or the line end
        QString pattern = QRegularExpression::escape(QString::fromLatin1(k.key)) +
                          QStringLiteral("[ =\\t]-?\\d+");
        for (int i = 1; i < k.count; ++i) {
            pattern += QStringLiteral(",-?\\d+");
        }
        const QRegularExpression line(QStringLiteral("^") + pattern + QStringLiteral("\\r$"),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(line.match(QString::fromLatin1(text_)).hasMatch());
    }
}

TEST_P(SkinFilesTest, ControlsSitApartOnOpaquePartsOfTheirWindowsAndTextAreasHaveRoom) {
    for (const WindowLayout& w : Windows()) {
        SCOPED_TRACE(w.prefix);
        const QImage bg = Bitmap(QString::fromLatin1(w.prefix) + QStringLiteral("_bg.bmp"));
        ASSERT_FALSE(bg.isNull());
        std::vector<std::pair<const char*, QRect>> placed;
        for (const LayoutKey& k : w.keys) {
            const QRect r = Footprint(k);
            if (r.isEmpty()) {
                continue;
            }
            ASSERT_TRUE(bg.rect().contains(r)) << k.key << " leaves the window";
            int keyPixels = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    keyPixels += IsKey(bg.pixel(x, y)) ? 1 : 0;
                }
            }
            EXPECT_EQ(keyPixels, 0) << k.key << " stands on see-through pixels";
            EXPECT_TRUE(r.width() >= k.least.width() && r.height() >= k.least.height())
                << k.key << " is too small for its text";
            if (k.shape != Shape::Point) {
                placed.emplace_back(k.key, r);
            }
        }
        for (size_t i = 0; i < placed.size(); ++i) {
            for (size_t j = i + 1; j < placed.size(); ++j) {
                EXPECT_FALSE(placed[i].second.intersects(placed[j].second))
                    << placed[i].first << " covers " << placed[j].first;
            }
        }
    }
}

// The faces place their buttons from the player's own table: each of its keys must be in the skin
// with both bitmaps of one size, or the button stays hidden for everybody who wears the skin.
TEST_P(SkinFilesTest, ThePlayersFaceTableFindsEveryButtonAndSlider) {
    QDir().mkpath(QStringLiteral("./Skins"));
    QFile::link(Folder(GetParam()), QStringLiteral("./Skins/") + GetParam());
    SkinInfo skin;
    ASSERT_TRUE(skin.Load(GetParam()));
    EXPECT_TRUE(SkinLayout::CanBeWorn(skin));
    for (const auto& buttons : {SkinLayout::MainButtons(), SkinLayout::MiniButtons()}) {
        for (const ButtonKey& key : buttons) {
            int32_t at[2] = {};
            EXPECT_TRUE(skin.GetKeyValues(key.key, at, 2)) << key.key;
            const QString stem = skin.FilePath(QLatin1String(key.stem));
            const QImage up(stem + QStringLiteral("_up.bmp"));
            EXPECT_FALSE(up.isNull()) << key.stem;
            EXPECT_EQ(QImage(stem + QStringLiteral("_dn.bmp")).size(), up.size()) << key.stem;
        }
    }
    for (const SkinLayout::SliderKey& slider : {SkinLayout::kMainVolume, SkinLayout::kMiniVolume}) {
        int32_t at[2] = {};
        EXPECT_TRUE(skin.GetKeyValues(slider.key, at, 2)) << slider.key;
        for (const char* part : {"channel.bmp", "channel_dn.bmp", "thumb.bmp", "thumb_dn.bmp"}) {
            EXPECT_FALSE(
                QImage(skin.FilePath(QLatin1String(slider.stem) + QLatin1String(part))).isNull())
                << slider.stem << part;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, SkinFilesTest, ::testing::Values("Quilo2", "Midnight"));

// The program's own images stand in when a skin lacks a dialog background; the dialogs place
// their controls at fixed spots, so each image must have exactly its size.
TEST(BuiltInImagesTest, EveryResourceIsLinkedInWithItsSize) {
    const std::pair<const char*, QSize> bitmaps[] = {
        {"login_bg", {260, 196}},      {"login_ok_up", {52, 44}},     {"login_ok_dn", {52, 44}},
        {"login_cancel_up", {38, 21}}, {"login_cancel_dn", {38, 21}}, {"login_member_up", {64, 22}},
        {"login_member_dn", {64, 22}}, {"login_find_up", {116, 12}},  {"login_find_dn", {116, 12}},
        {"login_save_off", {71, 15}},  {"login_save_on", {71, 15}},   {"about_bg", {260, 196}},
        {"about_ok_up", {41, 24}},     {"about_ok_dn", {41, 24}},     {"skin_thumb", {64, 64}},
        {"toolbar128", {144, 15}},
    };
    for (const auto& [name, size] : bitmaps) {
        EXPECT_EQ(LoadBitmap(QStringLiteral(":/res/%1.bmp").arg(QLatin1String(name))).size(), size)
            << name;
    }
    // nine 16 x 15 menu images side by side; the menu takes the colour key as see-through, so a
    // cell of nothing but that colour is a command without its image
    const QImage toolbar(QStringLiteral(":/res/toolbar128.bmp"));
    for (int cell = 0; cell < 9; ++cell) {
        int drawn = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = cell * 16; x < cell * 16 + 16; ++x) {
                drawn += IsKey(toolbar.pixel(x, y)) ? 0 : 1;
            }
        }
        EXPECT_GT(drawn, 0) << "menu image " << cell;
    }
    const QImage icon(QStringLiteral(":/res/icon124.png"));
    const QImage tray(QStringLiteral(":/res/icon196.png"));
    EXPECT_TRUE(icon.size() == QSize(32, 32) || icon.size() == QSize(48, 48));
    EXPECT_TRUE(tray.size() == QSize(16, 16) || tray.size() == QSize(22, 22));
    // the chime: 16-bit PCM, shorter than a second
    const QByteArray wave = ReadAll(QStringLiteral(":/res/wave198.wav"));
    ASSERT_GE(wave.size(), 44);
    EXPECT_TRUE(wave.startsWith("RIFF") && wave.mid(8, 8) == "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(wave.constData() + 20), 1);   // PCM
    EXPECT_EQ(qFromLittleEndian<quint16>(wave.constData() + 34), 16);  // bits per sample
    const qint32 bytesPerSecond = Le32(wave, 28);
    ASSERT_GT(bytesPerSecond, 0);
    EXPECT_LT(Le32(wave, 40), bytesPerSecond);
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
        const QString path = QLatin1String(test.format) + QStringLiteral("_1.bmp");
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
