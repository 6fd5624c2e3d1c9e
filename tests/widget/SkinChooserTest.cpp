#include "dialogs/CSkinDlg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QTest>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "support/Await.h"

using namespace Qt::StringLiterals;
using namespace WidgetTestKit;

namespace {

const QColor kFaceRed(200, 30, 40);

QImage IconImage(const QListWidgetItem& item) {
    return item.icon().pixmap(64, 64).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The two shipped skins, a folder with nothing in it, one with only a main face (blue on its
// left half, red on its right) and a plain file, made in an order unlike the sorted one.
class SkinChooser : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(u"./Skins/Zed"_s);
        QDir().mkpath(u"./Skins/alpha"_s);
        DialogTestKit::LinkShippedSkins();
        QImage face = Filled(QSize(40, 80), kFaceRed);
        QPainter(&face).fillRect(QRect(0, 0, 20, 80), QColor::fromRgb(kSkinColorKey));
        ASSERT_TRUE(
            face.convertToFormat(QImage::Format_RGB888).save(u"./Skins/Zed/main_bg.bmp"_s, "BMP"));
        QFile notes(u"./Skins/notes.txt"_s);
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        ASSERT_TRUE(program_.skin.Load(u"Quilo2"_s));
        owner_.LoadBackground(SaveBitmap(u"owner.bmp"_s, Filled(QSize(200, 150), Qt::darkGray)));
        owner_.move(100, 100);
        ASSERT_TRUE(ShowAndWait(owner_));
        SetMessageAnswerer([this](StringId id, const QString&) {
            messages_.push_back(id);
            return MessageAnswer::Ok;
        });
    }
    void TearDown() override { SetMessageAnswerer({}); }

    Program program_;
    TestFace owner_;
    std::vector<StringId> messages_;
};

QStringList Names(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        names << list.item(row)->text();
    }
    return names;
}

}  // namespace

TEST_F(SkinChooser, ListsEveryFolderWithItsPictureAndADoubleClickWearsTheSkinAtOnce) {
    CSkinDlg chooser(program_, &owner_);
    chooser.SetDragEnabled(false);
    QStringList asked;
    QObject::connect(&chooser, &CSkinDlg::changeSkin, [&](const QString& name) {
        asked << name;
        program_.skin.Load(name);
    });
    ASSERT_TRUE(ShowAndWait(chooser));
    ASSERT_TRUE(Await([&] { return chooser.HasSettled(); }));
    const QPoint place = chooser.pos();
    EXPECT_EQ(place, QPoint(300, 100)) << "beside the owner, on its right";
    QListWidget& list = chooser.List();
    ASSERT_EQ(Names(list), (QStringList{"alpha", "Midnight", "Quilo2", "Zed"}));
    EXPECT_EQ(list.selectedItems(), QList<QListWidgetItem*>{list.item(2)}) << "the skin worn";
    EXPECT_EQ(IconImage(*list.item(0)),
              QImage(u":/res/skin_thumb.bmp"_s).convertToFormat(QImage::Format_ARGB32))
        << "a folder without pictures shows the built-in one";
    EXPECT_EQ(IconImage(*list.item(1)),
              QImage(u"./Skins/Midnight/choice.bmp"_s).convertToFormat(QImage::Format_ARGB32));
    const QImage zed = IconImage(*list.item(3));
    EXPECT_EQ(qAlpha(zed.pixel(20, 32)), 0) << "the face's blue is cut out";
    EXPECT_EQ(QColor(zed.pixel(40, 32)), kFaceRed) << "the face itself, reduced";
    EXPECT_EQ(qAlpha(zed.pixel(4, 32)), 0) << "a tall face stands centred";

    ASSERT_TRUE(
        RealDoubleClick(list.viewport()->mapToGlobal(list.visualItemRect(list.item(1)).center())));
    ASSERT_TRUE(Await([&] { return !asked.isEmpty(); }));
    EXPECT_EQ(asked, QStringList{"Midnight"});
    EXPECT_EQ(chooser.size(), QImage(u"./Skins/Midnight/skin_bg.bmp"_s).size());
    EXPECT_EQ(chooser.pos(), place) << "it does not move";
    int32_t ok[2] = {};
    ASSERT_TRUE(program_.skin.GetKeyValues("[SKIN_OK]", ok, 2));
    EXPECT_EQ(chooser.OkButton().pos(), QPoint(ok[0], ok[1]));
    EXPECT_EQ(list.count(), 4) << "the items stay";

    // Enter ends the chooser without a choice; the skin worn stays
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_TRUE(chooser.isHidden());
    EXPECT_FALSE(chooser.IsConfirmed());
    EXPECT_EQ(program_.skin.Name(), u"Midnight"_s);
}

TEST_F(SkinChooser, ASkinWithoutTheChoosersBitmapSaysSoAndChoosesNothing) {
    program_.skin.SetName(u"alpha"_s);
    CSkinDlg chooser(program_, &owner_);
    EXPECT_EQ(chooser.exec(), QDialog::Rejected);
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kFilesMissing});
    EXPECT_FALSE(chooser.IsConfirmed());
}
