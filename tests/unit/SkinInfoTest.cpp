#include "skin/SkinInfo.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>

TEST(SkinInfo, LoadKeepsTheFileBytesExactlyAndAFailedLoadKeepsTheOldSkin) {
    QDir().mkpath(QStringLiteral("./Skins/Good"));
    const QByteArray bytes("[MAIN_PLAY] 1,2\r\n\x00\xb0\xa8 tail without line end", 41);
    QFile file(QStringLiteral("./Skins/Good/skininfo.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    SkinInfo skin;
    ASSERT_TRUE(skin.Load(QStringLiteral("Good")));
    EXPECT_EQ(skin.Text(), bytes);
    EXPECT_EQ(skin.FilePath(QStringLiteral("/main_bg.bmp")),
              QStringLiteral("./Skins/Good/main_bg.bmp"));

    EXPECT_FALSE(skin.Load(QStringLiteral("Missing")));
    EXPECT_EQ(skin.Name(), QStringLiteral("Good"));
    EXPECT_EQ(skin.Text(), bytes);
}
