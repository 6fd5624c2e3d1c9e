#include "dialogs/CScheduleDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"

using namespace Qt::StringLiterals;
using namespace WidgetTestKit;

namespace {

using DialogTestKit::RealClickOn;
using DialogTestKit::WhenModal;

ScheduleBytes EmptySchedule() {
    ScheduleBytes schedule;
    schedule.fill(0xFF);
    return schedule;
}

struct ShownRow {
    bool ticked;
    QString dayHalf, hour, minute;
    bool operator==(const ShownRow&) const = default;
};

void PrintTo(const ShownRow& row, std::ostream* out) {
    *out << (row.ticked ? "[x] " : "[ ] ") << row.dayHalf.toStdString() << ' '
         << row.hour.toStdString() << ':' << row.minute.toStdString();
}

ShownRow Shown(const CScheduleDlg& dialog, int row) {
    return {dialog.EnableBox(row).isChecked(), dialog.DayHalfList(row).currentText(),
            dialog.HourField(row).text(), dialog.MinuteField(row).text()};
}

// Types into the field as the listener would, then leaves it with Tab unless told to stay, and
// says what the field then shows.
QString Type(QLineEdit& field, const QString& text, bool leave = true) {
    EXPECT_TRUE(RealClickOn(field) && Await([&] { return field.hasFocus(); }));
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, text);
    if (leave) {
        QTest::keyClick(&field, Qt::Key_Tab);
    }
    return field.text();
}

void ChoosePm(QComboBox& list) {
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
}

class ScheduleDialog : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTestKit::LinkShippedSkins();
        ASSERT_TRUE(program_.skin.Load(u"Quilo2"_s));
        SetMessageAnswerer([this](StringId id, const QString&) {
            messages_.push_back(id);
            return MessageAnswer::Ok;
        });
        owner_.LoadBackground(SaveBitmap(u"owner.bmp"_s, Filled({200, 150}, Qt::gray)));
        owner_.move(500, 120);
        ASSERT_TRUE(ShowAndWait(owner_));
    }
    void TearDown() override { SetMessageAnswerer(nullptr); }

    // Runs the dialog on `schedule` with `act` while it is open.
    ScheduleBytes Run(const ScheduleBytes& schedule, const std::function<void(CScheduleDlg&)>& act,
                      bool expectConfirmed = true) {
        CScheduleDlg dialog(program_, schedule, &owner_);
        WhenModal<CScheduleDlg>(&owner_, act);
        dialog.exec();
        EXPECT_EQ(dialog.IsConfirmed(), expectConfirmed);
        return dialog.Schedule();
    }

    Program program_;
    TestFace owner_;
    std::vector<StringId> messages_;
};

TEST_F(ScheduleDialog, AFieldIsHeldToItsRangeWhenItLosesTheFocus) {
    const ScheduleBytes written = Run(EmptySchedule(), [&](CScheduleDlg& dialog) {
        EXPECT_EQ(Type(dialog.HourField(0), "15"), "11");
        ChoosePm(dialog.DayHalfList(1));
        EXPECT_EQ(Type(dialog.HourField(1), "15"), "12");
        ChoosePm(dialog.DayHalfList(2));
        EXPECT_EQ(Type(dialog.HourField(2), "0"), "1");
        EXPECT_EQ(Type(dialog.MinuteField(3), "75"), "59");
        // letters and signs cannot be typed
        EXPECT_EQ(Type(dialog.MinuteField(4), "-4x"), "4");
        // turning PM 12 into AM leaves the hour alone: it stores noon
        ChoosePm(dialog.DayHalfList(5));
        Type(dialog.HourField(5), "12");
        dialog.DayHalfList(5).setFocus();
        QTest::keyClick(&dialog.DayHalfList(5), Qt::Key_Up);
        EXPECT_EQ(dialog.HourField(5).text(), "12");
        // a field still holding the focus at OK is put right all the same
        Type(dialog.MinuteField(6), "99", false);
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    });
    // (an untouched blank row is stored as AM 0:00)
    for (const auto& [at, value] :
         {std::pair{0, 11}, {2, 12}, {4, 13}, {7, 59}, {10, 12}, {13, 59}, {16, 0}, {17, 0}}) {
        EXPECT_EQ(written[at], value) << at;
    }
}

TEST_F(ScheduleDialog, StoredTimesShowAsTwelveHourRowsAndCancelAndEnterLeaveThemUnconfirmed) {
    const ScheduleBytes stored{0x80, 0x05, 0x0C, 0x1E, 0x8D, 0x00, 0x97, 0x3B, 0xFF,
                               0xFF, 0x98, 0x00, 0x85, 0x3C, 0x7F, 0x00, 0xFF, 0xFF};
    const std::function<void(CScheduleDlg&)> closers[] = {
        [](CScheduleDlg& d) { ASSERT_TRUE(RealClickOn(d.CancelButton())); },
        [](CScheduleDlg& d) { QTest::keyClick(&d.HourField(1), Qt::Key_Return); }};
    for (const auto& close : closers) {
        const ScheduleBytes written = Run(
            stored,
            [&](CScheduleDlg& dialog) {
                // left of the owner, top edges level
                EXPECT_EQ(dialog.pos(), QPoint(owner_.x() - dialog.width(), owner_.y()));
                EXPECT_EQ(Shown(dialog, 0), (ShownRow{true, "AM", "0", "5"}));
                EXPECT_EQ(Shown(dialog, 1), (ShownRow{false, "PM", "12", "30"}));
                EXPECT_EQ(Shown(dialog, 2), (ShownRow{true, "PM", "1", "0"}));
                EXPECT_EQ(Shown(dialog, 3), (ShownRow{true, "PM", "11", "59"}));
                // empty, hour 24, minute 60, hour 127: blank rows
                for (int row : {4, 5, 6, 7, 8}) {
                    EXPECT_EQ(Shown(dialog, row), (ShownRow{false, "AM", "0", "0"})) << row;
                }
                Type(dialog.HourField(0), "7");
                close(dialog);
            },
            false);
        EXPECT_EQ(written, stored);
    }
    EXPECT_TRUE(messages_.empty());

    DialogTestKit::MakeVariantSkin(u"Quilo2"_s, u"Faceless"_s, {}, {u"sch_bg.bmp"_s});
    ASSERT_TRUE(program_.skin.Load(u"Faceless"_s));
    CScheduleDlg dialog(program_, EmptySchedule(), &owner_);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.IsConfirmed());
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kFilesMissing});
}

}  // namespace
