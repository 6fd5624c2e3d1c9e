#include "DialogBuilder.h"

#include <QPainter>

#include "Art.h"
#include "Fonts.h"
#include "Mascot.h"
#include "Shell.h"

namespace {

constexpr int kMargin = 16;
constexpr QSize kHeaderButton(22, 20);
constexpr QSize kDialogButton(60, 24);
constexpr int kViewerWidth = 320;
constexpr int kViewerHeight = 240;

}  // namespace

DialogBuilder::DialogBuilder(const Theme& theme, const DialogSizes& sizes)
    : theme_(theme), sizes_(sizes) {}

QImage DialogBuilder::Body(QSize size, const QString& title) const {
    QImage art = Art::Canvas(size);
    QPainter p(&art);
    Art::Prepare(p);
    Shell::Dialog(p, theme_, size, sizes_.header, title);
    return art;
}

QFont DialogBuilder::LabelFont() const {
    return Fonts::Get(Fonts::Face::Gothic, 12, false);
}

ButtonLook DialogBuilder::Labelled(QSize size, const QString& label, bool accent) const {
    const ButtonLook base = accent ? ButtonArt::Accent(theme_, size, ButtonLook::Shape::Rounded)
                                   : ButtonArt::Plain(theme_, size, ButtonLook::Shape::Rounded);
    return ButtonArt::WithLabel(base, label, Fonts::Get(Fonts::Face::Gothic, 12, true));
}

ButtonLook DialogBuilder::HeaderClose() const {
    ButtonLook look = ButtonArt::Plain(theme_, kHeaderButton, ButtonLook::Shape::Rounded);
    look.radius = 5;
    look.ink = theme_.closeInk;
    return ButtonArt::WithGlyph(look, Glyph::Kind::Close, 0.62);
}

void DialogBuilder::OkCancel(SkinWindow& w, const char* okKey, const char* cancelKey, int y) const {
    const int right = w.Size().width() - kMargin;
    w.Button(cancelKey, QStringLiteral("cancel"),
             Labelled(kDialogButton, theme_.Label("취소", "Cancel"), false),
             QPoint(right - kDialogButton.width(), y));
    w.Button(okKey, QStringLiteral("ok"), Labelled(kDialogButton, theme_.Label("확인", "OK"), true),
             QPoint(right - 2 * kDialogButton.width() - 8, y));
}

QImage DialogBuilder::LogArt(const QRect& id, const QRect& pw, const QRect& wait) const {
    QImage art = Body(sizes_.log, theme_.Label("로그인", "Log in"));
    QPainter p(&art);
    Art::Prepare(p);
    const int align = Qt::AlignLeft | Qt::AlignVCenter;
    Shell::Label(p, theme_, QRectF(kMargin + 4, id.y(), 64, 18), theme_.Label("아이디", "ID"), 12,
                 align, true);
    Shell::Label(p, theme_, QRectF(kMargin + 4, pw.y(), 64, 18),
                 theme_.Label("비밀번호", "Password"), 12, align, true);
    Shell::Well(p, theme_, id, theme_.fieldBack);
    Shell::Well(p, theme_, pw, theme_.fieldBack);
    // the busy indicator's groove
    Shell::Well(p, theme_, wait, theme_.wellFill, 2);
    return art;
}

SkinWindow DialogBuilder::Log() const {
    const QSize size = sizes_.log;
    const int top = sizes_.header + 16;
    const QSize ok(58, 50);
    const int fieldX = 84;
    const int fieldW = size.width() - fieldX - kMargin - ok.width() - 10;
    const QRect id(fieldX, top, fieldW, 18);
    const QRect pw(fieldX, top + 26, fieldW, 18);
    const QRect wait(kMargin + 4, size.height() - 22, size.width() - 2 * kMargin - 8, 10);

    SkinWindow w(QStringLiteral("log"), LogArt(id, pw, wait));
    w.Area("[LOG_ID]", id);
    w.Colour("[LOG_ID_COL]", theme_.fieldBack);
    w.Area("[LOG_PW]", pw);
    w.Colour("[LOG_PW_COL]", theme_.fieldBack);
    const QString saveLabel = theme_.Label("아이디 저장", "Save ID");
    const QSize save(110, 16);
    w.Check("[LOG_SAVE]", QStringLiteral("save"),
            ButtonArt::Check(theme_, save, saveLabel, LabelFont(), false),
            ButtonArt::Check(theme_, save, saveLabel, LabelFont(), true),
            QPoint(fieldX, pw.bottom() + 10));
    w.Button("[LOG_OK]", QStringLiteral("ok"), Labelled(ok, theme_.Label("로그인", "Log in"), true),
             QPoint(size.width() - kMargin - ok.width(), top - 3));
    const int row = wait.y() - 34;
    ButtonLook member = ButtonArt::Link(theme_, QSize(72, 22), theme_.Label("회원가입", "Join"));
    member.font = LabelFont();
    ButtonLook find =
        ButtonArt::Link(theme_, QSize(92, 22), theme_.Label("ID/PW 찾기", "Find ID/PW"));
    find.font = LabelFont();
    w.Button("[LOG_MEMBER]", QStringLiteral("member"), member, QPoint(kMargin, row));
    w.Button("[LOG_FIND]", QStringLiteral("find"), find, QPoint(kMargin + 76, row));
    w.Button("[LOG_CANCEL]", QStringLiteral("cancel"),
             Labelled(kDialogButton, theme_.Label("취소", "Cancel"), false),
             QPoint(size.width() - kMargin - kDialogButton.width(), row - 1));
    w.Area("[LOG_WAIT]", wait);
    return w;
}

SkinWindow DialogBuilder::Set() const {
    const QSize size = sizes_.set;
    const int top = sizes_.header + 14;
    const QRect group(kMargin - 4, top - 6, size.width() - 2 * kMargin + 8, 3 * 26 + 8);
    QImage art = Body(size, theme_.Label("환경 설정", "Settings"));
    {
        QPainter p(&art);
        Art::Prepare(p);
        Art::Sunken(p, group, 7, theme_.wellFill, theme_.wellDark, theme_.wellLight);
    }
    SkinWindow w(QStringLiteral("set"), art);
    const struct {
        const char* key;
        const char* name;
        QString label;
        int width;
    } boxes[] = {
        {"[SET_AUTO]", "auto", theme_.Label("자동 로그인", "Log in automatically"),
         size.width() - 2 * kMargin - 8},
        {"[SET_TOP]", "top", theme_.Label("항상 위에 보이기", "Always on top"),
         size.width() - 2 * kMargin - 8},
        {"[SET_SCHEDULE]", "schedule", theme_.Label("예약 재생", "Scheduled play"), 112},
    };
    int y = top;
    for (const auto& box : boxes) {
        const QSize s(box.width, 18);
        w.Check(box.key, QString::fromLatin1(box.name),
                ButtonArt::Check(theme_, s, box.label, LabelFont(), false),
                ButtonArt::Check(theme_, s, box.label, LabelFont(), true), QPoint(kMargin + 4, y));
        y += 26;
    }
    const QSize times(78, 22);
    ButtonLook look = Labelled(times, theme_.Label("시간 설정", "Times"), false);
    look = ButtonArt::WithGlyph(look, Glyph::Kind::Clock, 0.6);
    look.font = Fonts::Get(Fonts::Face::Gothic, 11, true);
    w.Button("[SET_SCHEVIEW]", QStringLiteral("schedule"), look,
             QPoint(group.right() - times.width() - 4, top + 52 - 2));
    OkCancel(w, "[SET_OK]", "[SET_CANCEL]", size.height() - kMargin - kDialogButton.height());
    return w;
}

QImage DialogBuilder::SchArt(const QRect& rows) const {
    QImage art = Body(sizes_.sch, theme_.Label("예약 재생 시간", "Playback schedule"));
    QPainter p(&art);
    Art::Prepare(p);
    Art::Sunken(p, rows.adjusted(-3, -22, 3, 3), 7, theme_.wellFill, theme_.wellDark,
                theme_.wellLight);
    // column heads over the dialog's own controls: tick, AM/PM list, hour, minute
    const int x = rows.x();
    const struct {
        int x, w;
        const char* ko;
        const char* en;
    } heads[] = {{x, 28, "사용", "On"},
                 {x + 28, 64, "오전/오후", "AM/PM"},
                 {x + 100, 34, "시", "Hour"},
                 {x + 148, 34, "분", "Min"}};
    for (const auto& h : heads) {
        Art::Text(p, QRectF(h.x, rows.y() - 20, h.w, 18), Qt::AlignCenter, theme_.Label(h.ko, h.en),
                  Fonts::Get(Fonts::Face::Gothic, 11, true), theme_.inkSoft);
    }
    for (int row = 0; row < 9; ++row) {
        const int y = rows.y() + row * kScheduleRowPitch;
        if (row % 2 == 0) {
            p.fillRect(QRect(x, y, rows.width(), kScheduleRowPitch),
                       Art::Mix(theme_.wellFill, theme_.wellDark, 0.12));
        }
        // the colon between the hour and minute fields
        Art::Text(p, QRectF(x + 136, y + 2, 12, 22), Qt::AlignCenter, QStringLiteral(":"),
                  Fonts::Get(Fonts::Face::Gothic, 14, true), theme_.ink);
    }
    return art;
}

SkinWindow DialogBuilder::Sch() const {
    const QSize size = sizes_.sch;
    const QRect rows(kScheduleGrid.x(), kScheduleGrid.y() - 2, size.width() - 2 * kScheduleGrid.x(),
                     9 * kScheduleRowPitch);
    SkinWindow w(QStringLiteral("sch"), SchArt(rows));
    // the dialog's own controls take the rows; nothing skinned may stand there
    w.Reserve(rows, QStringLiteral("schedule rows"));
    const int y = size.height() - kMargin - kDialogButton.height();
    const ButtonLook look = ButtonArt::WithGlyph(
        Labelled(QSize(80, 24), theme_.Label("편성표", "Programs"), false), Glyph::Kind::List, 0.6);
    w.Button("[SCH_VIEW]", QStringLiteral("view"), look, QPoint(kMargin - 2, y));
    OkCancel(w, "[SCH_OK]", "[SCH_CANCEL]", y);
    return w;
}

SkinWindow DialogBuilder::Skin() const {
    const QSize size = sizes_.skin;
    const QRect list(kMargin, sizes_.header + 12, size.width() - 2 * kMargin,
                     size.height() - sizes_.header - 12 - kDialogButton.height() - 26);
    QImage art = Body(size, theme_.Label("스킨 변경", "Skins"));
    {
        QPainter p(&art);
        Art::Prepare(p);
        Shell::Well(p, theme_, list, theme_.listBack);
    }
    SkinWindow w(QStringLiteral("skin"), art);
    w.Area("[SKIN_LIST]", list);
    w.Colour("[SKIN_LIST_COL]", theme_.listBack);
    OkCancel(w, "[SKIN_OK]", "[SKIN_CANCEL]", size.height() - kMargin - kDialogButton.height());
    w.Sample(list, theme_.listBack, QString());
    return w;
}

SkinWindow DialogBuilder::Info() const {
    const QSize size = sizes_.info;
    const int top = sizes_.header + 12;
    const QRect title(kMargin + 4, top + 4, size.width() - 2 * kMargin - 8, 20);
    const QRect text(kMargin + 4, top + 32, size.width() - 2 * kMargin - 8,
                     size.height() - top - 32 - kMargin - 6);
    QImage art = Body(size, theme_.Label("방송 정보", "On air"));
    {
        QPainter p(&art);
        Art::Prepare(p);
        const QRect paper(kMargin - 2, top - 2, size.width() - 2 * kMargin + 4,
                          size.height() - top - kMargin + 2);
        Shell::Screen(p, theme_, paper, 8);
        p.fillRect(QRectF(title.left(), title.bottom() + 5, title.width(), 1),
                   Art::Alpha(theme_.infoText, 70));
    }
    SkinWindow w(QStringLiteral("info"), art);
    w.Area("[INFO_TITLE]", title);
    w.Colour("[INFO_TITLE_COL]", theme_.infoTitleText);
    w.Area("[INFO_EDIT]", text);
    w.Colour("[INFO_EDIT_COL]", theme_.infoText);
    w.Sample(title, QColor(), QStringLiteral("세상을 여는 아침, 김하늘입니다"), 13,
             theme_.infoTitleText);
    w.Sample(text, QColor(),
             QStringLiteral("매일 아침 7시, 하루를 여는 음악과 소식을 전해 드립니다. 출근길 "
                            "교통 정보와 날씨, 그리고 청취자 여러분의 사연을 함께합니다."),
             12, theme_.infoText);
    w.Button("[INFO_CLOSE]", QStringLiteral("close"), HeaderClose(),
             QPoint(size.width() - 12 - kHeaderButton.width(),
                    (sizes_.header - kHeaderButton.height()) / 2));
    return w;
}

SkinWindow DialogBuilder::About() const {
    const QSize size = sizes_.about;
    const int top = sizes_.header + 10;
    const QRect link(size.width() - kMargin - 76, top + 6, 76, 22);
    const QRect label(kMargin + 4, top + 70, size.width() - 2 * kMargin - 8, 46);
    QImage art = Body(size, theme_.Label("프로그램 정보", "About"));
    {
        QPainter p(&art);
        Art::Prepare(p);
        Mascot::Draw(p, QRectF(kMargin, top, 60, 60), theme_, Mascot::Pose::Waving);
        Art::Text(p, QRectF(kMargin + 66, top + 8, 140, 26), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Quilo"), Fonts::Get(theme_.titleFace, 24, true), theme_.ink);
        Art::Text(p, QRectF(kMargin + 66, top + 34, 200, 18), Qt::AlignLeft | Qt::AlignVCenter,
                  theme_.Label("ZELK 인터넷 라디오", "ZELK Internet Radio"),
                  Fonts::Get(Fonts::Face::Gothic, 12, true), theme_.inkSoft);
        // the web site link, painted on the face: the dialog itself hit-tests it
        const ButtonLook badge = ButtonArt::WithLabel(
            ButtonArt::WithGlyph(ButtonArt::Plain(theme_, link.size(), ButtonLook::Shape::Capsule),
                                 Glyph::Kind::Globe, 0.62),
            theme_.Label("홈페이지", "Website"), Fonts::Get(Fonts::Face::Gothic, 11, true));
        p.drawImage(link.topLeft(), ButtonArt::Render(badge, false));
        // the version lines are black on whatever lies under them: keep that light
        p.fillPath(Art::Rounded(QRectF(label).adjusted(-4, -3, 4, 3), 6), QColor(250, 250, 246));
    }
    SkinWindow w(QStringLiteral("about"), art);
    w.Area("[ABOUT_LINK]", link);
    w.Area("[ABOUT_EDIT]", label);
    w.Sample(
        label, QColor(250, 250, 246),
        QStringLiteral("Version 2.01\nCopyright (C) ZELK Internet Radio.\nAll rights reserved."),
        11);
    w.Button("[ABOUT_OK]", QStringLiteral("ok"),
             Labelled(kDialogButton, theme_.Label("확인", "OK"), true),
             QPoint(size.width() - kMargin - kDialogButton.width(),
                    size.height() - kMargin + 2 - kDialogButton.height()));
    return w;
}

SkinWindow DialogBuilder::View() const {
    const QSize size = sizes_.view;
    const QPoint video((size.width() - kViewerWidth) / 2, sizes_.header + 6);
    // The viewer is not a shaped window: its face must be opaque to the corners.
    QImage art = Art::Canvas(size);
    {
        QPainter p(&art);
        Art::Prepare(p);
        QPainterPath body;
        body.addRect(QRectF(0, 0, size.width(), size.height()));
        Shell::Paint(p, theme_, body, sizes_.header);
        const double px = sizes_.header * 0.42;
        const double logo =
            Shell::Logo(p, theme_, QPointF(14, sizes_.header * 0.5 + px * 0.36), px);
        Glyph::Draw(p, Glyph::Kind::Screen, QRectF(14 + logo + 6, sizes_.header / 2.0 - 8, 16, 16),
                    theme_.headerInkSoft);
        Art::Text(p, QRectF(14 + logo + 26, 0, 160, sizes_.header),
                  Qt::AlignLeft | Qt::AlignVCenter, theme_.Label("보는 라디오", "Seeing Radio"),
                  Fonts::Get(Fonts::Face::Gothic, px * 0.82, true), theme_.headerInkSoft);
        Shell::Screen(p, theme_,
                      QRectF(video.x() - 3, video.y() - 3, kViewerWidth + 6, kViewerHeight + 6), 4);
    }
    SkinWindow w(QStringLiteral("view"), art);
    w.Values("[VIEW_VIEWER]", {video.x(), video.y()},
             QRect(video, QSize(kViewerWidth, kViewerHeight)));
    w.Button("[VIEW_CLOSE]", QStringLiteral("close"), HeaderClose(),
             QPoint(size.width() - 10 - kHeaderButton.width(),
                    (sizes_.header - kHeaderButton.height()) / 2));
    return w;
}
