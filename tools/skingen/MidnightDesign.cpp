#include "MidnightDesign.h"

#include <QPainter>

#include "Art.h"
#include "Fonts.h"
#include "Shell.h"

namespace {

constexpr QSize kMainSize(584, 250);
constexpr int kHeader = 40;
constexpr int kTab = 12;  // the right part of the body starts this much lower than the tab
constexpr QRect kScreen(12, 48, 280, 102);
constexpr QRect kTicker(16, 160, 272, 20);
constexpr QRect kEdit(308, 152, 260, 52);
constexpr QRect kCounter(308, 218, 60, 18);
constexpr QRect kLogo(12, 6, 80, 30);  // opens the service's home page
constexpr QRect kAnimation(kScreen.x() + 8, kScreen.y() + 8, 150, 76);
constexpr QRect kCharacters(kScreen.x() + 172, kScreen.y() + 6, 52, 32);
constexpr QPoint kTransport(12, 192);
constexpr QPoint kLink1(304, 48);
constexpr QPoint kLink2(444, 48);
constexpr QPoint kEvent(304, 96);

constexpr QSize kMiniSize(348, 70);
constexpr QRect kMiniTicker(62, 12, 214, 18);
constexpr QRect kMiniLink(286, 9, 52, 22);  // the word mark opens the service's home page

// The body with a raised tab over the display side, joined to the lower right part by a curve.
QPainterPath MainOutline() {
    const double l = 0.5, t = 0.5, r = kMainSize.width() - 0.5, b = kMainSize.height() - 0.5;
    const double c = 14;
    const double step = t + kTab;
    QPainterPath path;
    path.moveTo(l, t + c);
    path.arcTo(QRectF(l, t, 2 * c, 2 * c), 180, -90);
    path.lineTo(272, t);
    path.cubicTo(QPointF(294, t), QPointF(298, step), QPointF(320, step));
    path.lineTo(r - c, step);
    path.arcTo(QRectF(r - 2 * c, step, 2 * c, 2 * c), 90, -90);
    path.lineTo(r, b - c);
    path.arcTo(QRectF(r - 2 * c, b - 2 * c, 2 * c, 2 * c), 0, -90);
    path.lineTo(l + c, b);
    path.arcTo(QRectF(l, b - 2 * c, 2 * c, 2 * c), 270, -90);
    path.closeSubpath();
    return path;
}

// The oscilloscope's faint measuring grid; the animation frames are drawn over it.
void PaintGraticule(QPainter& p, const Theme& theme, const QRect& area) {
    const QRectF grid(area.left() + 2, area.top() + 16, area.width() - 4, area.height() - 18);
    p.setPen(QPen(Art::Alpha(theme.screenEdge, 34), 1.0));
    for (int i = 0; i <= 10; ++i) {
        const double x = qRound(grid.left() + grid.width() * i / 10) + 0.5;
        p.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
    }
    for (int i = 0; i <= 4; ++i) {
        const double y = qRound(grid.top() + grid.height() * i / 4) + 0.5;
        p.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
    }
}

}  // namespace

Theme MidnightDesign::MakeTheme() {
    Theme t;
    t.name = QStringLiteral("Midnight");
    t.korean = false;
    t.titleFace = Fonts::Face::Square;
    t.radius = 12;
    t.shellTop = QColor(54, 58, 74);
    t.shellBottom = QColor(28, 30, 40);
    t.shellEdge = QColor(10, 12, 18);
    t.shellHighlight = QColor(96, 104, 128);
    t.headerTop = QColor(20, 70, 88);
    t.headerBottom = QColor(34, 36, 56);
    t.headerInk = QColor(128, 236, 240);
    t.headerInkSoft = QColor(176, 196, 214);
    t.screenTop = QColor(10, 20, 26);
    t.screenBottom = QColor(6, 12, 16);
    t.screenEdge = QColor(40, 170, 180);
    t.wellFill = QColor(36, 40, 52);
    t.wellDark = QColor(10, 12, 18);
    t.wellLight = QColor(84, 92, 112);
    t.ink = QColor(214, 222, 236);
    t.inkSoft = QColor(146, 156, 178);
    t.buttonTop = QColor(84, 90, 110);
    t.buttonBottom = QColor(46, 50, 64);
    t.buttonEdge = QColor(12, 14, 22);
    t.buttonInk = QColor(150, 240, 240);
    t.accentTop = QColor(80, 228, 214);
    t.accentBottom = QColor(0, 146, 158);
    t.accentEdge = QColor(0, 60, 70);
    t.accentInk = QColor(8, 34, 44);
    t.closeInk = QColor(255, 128, 128);
    t.checkTick = QColor(8, 34, 44);
    t.trackFill = QColor(62, 68, 86);
    t.trackEdge = QColor(12, 14, 20);
    t.fillTop = QColor(130, 250, 240);
    t.fillBottom = QColor(0, 168, 180);
    t.thumbTop = QColor(214, 220, 232);
    t.thumbBottom = QColor(124, 130, 150);
    t.thumbEdge = QColor(18, 20, 28);
    t.tickerBack = QColor(255, 208, 116);
    t.editBack = QColor(232, 236, 244);
    t.counterBack = QColor(206, 214, 228);
    t.fieldBack = QColor(236, 240, 248);
    t.listBack = QColor(226, 232, 242);
    t.infoTitleText = QColor(255, 208, 116);
    t.infoText = QColor(204, 232, 236);
    t.menuTitle = QColor(20, 70, 88);
    t.hasMenuColour = false;
    t.barLow = QColor(0, 150, 170);
    t.barHigh = QColor(130, 250, 240);
    t.lamp = QColor(255, 96, 96);
    t.mascotBody = QColor(132, 200, 255);
    t.mascotBelly = QColor(232, 246, 255);
    t.mascotPhones = QColor(255, 180, 64);
    return t;
}

DialogSizes MidnightDesign::Sizes() {
    DialogSizes s;
    s.header = 30;
    s.log = QSize(300, 182);
    s.set = QSize(256, 176);
    s.sch = QSize(262, 356);
    s.skin = QSize(300, 220);
    s.info = QSize(270, 320);
    s.about = QSize(320, 196);
    s.view = QSize(336, 288);
    return s;
}

MidnightDesign::MidnightDesign() : SkinDesign(MakeTheme(), Sizes()) {}

QImage MidnightDesign::MainArt() const {
    const Theme& t = theme_;
    QImage art = Art::Canvas(kMainSize);
    QPainter p(&art);
    Art::Prepare(p);
    Shell::Paint(p, t, MainOutline(), kHeader);
    const double width = Shell::Logo(p, t, QPointF(18, 28), 22);
    Art::Text(p, QRectF(18 + width + 4, 0, 140, kHeader), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("midnight"), Fonts::Get(Fonts::Face::Square, 12), t.headerInkSoft);
    Art::Text(p, QRectF(330, kTab, 160, kHeader - kTab), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("ZELK INTERNET RADIO"), Fonts::Get(Fonts::Face::Square, 10, true),
              Art::Alpha(t.headerInkSoft, 150));
    Shell::Screen(p, t, kScreen, 8);
    PaintGraticule(p, t, kAnimation);
    Art::Text(p, QRectF(kAnimation.left() + 2, kAnimation.bottom() + 2, 150, 14),
              Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LIVE  ·  FM  ·  VFM"),
              Fonts::Get(Fonts::Face::Square, 9, true), Art::Alpha(t.screenEdge, 200));
    Shell::Well(p, t, kTicker, t.tickerBack);
    PaintLinkSlots(p, kLink1, kLink2);
    Shell::Well(p, t, kEdit, t.editBack);
    Shell::Well(p, t, kCounter, t.counterBack, 2);
    Art::Text(p, QRectF(kCounter.right() + 8, kCounter.y(), 110, kCounter.height()),
              Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("bytes (max 200)"),
              Fonts::Get(Fonts::Face::Gothic, 10), t.inkSoft);
    return art;
}

SkinWindow MidnightDesign::Main() const {
    const Theme& t = theme_;
    SkinWindow w(QStringLiteral("main"), MainArt());
    w.Area("[MAIN_EDIT]", kEdit);
    w.Colour("[MAIN_EDIT_COL]", t.editBack);
    w.Area("[MAIN_LENG]", kCounter);
    w.Colour("[MAIN_LENG_COL]", t.counterBack);
    w.Area("[MAIN_SCR]", kTicker);
    w.Colour("[MAIN_SCR_COL]", t.tickerBack);
    const QSize header(20, 18);
    w.Button("[MAIN_MINI]", QStringLiteral("mini"), Small(header, Glyph::Kind::Minimize),
             QPoint(504, 18));
    w.Button("[MAIN_HIDE]", QStringLiteral("hide"), Small(header, Glyph::Kind::Hide),
             QPoint(528, 18));
    w.Button("[MAIN_CLOSE]", QStringLiteral("close"), Small(header, Glyph::Kind::Close),
             QPoint(552, 18));
    const QSize key(30, 30);
    w.Button("[MAIN_INFO]", QStringLiteral("info"), Small(key, Glyph::Kind::Info),
             kTransport + QPoint(250, 5));
    w.Button("[MAIN_PLAY]", QStringLiteral("play"), Round(QSize(40, 40), Glyph::Kind::Play, true),
             kTransport);
    w.Button("[MAIN_STOP]", QStringLiteral("stop"), Small(key, Glyph::Kind::Stop),
             kTransport + QPoint(46, 5));
    w.Button("[MAIN_MUTE]", QStringLiteral("mute"), Mute(key, ButtonLook::Shape::Rounded),
             kTransport + QPoint(82, 5));
    w.Slider("[MAIN_VOLM]", SliderArt::Render(t, QSize(92, 20), 16), kTransport + QPoint(118, 10));
    w.Button("[MAIN_VIEW]", QStringLiteral("view"), Small(key, Glyph::Kind::Screen),
             kTransport + QPoint(216, 5));
    w.Button("[MAIN_SEND]", QStringLiteral("send"),
             Send(QSize(76, 26), ButtonLook::Shape::Rounded, QStringLiteral("Send")),
             QPoint(492, 214));
    AddCharacters(w, kCharacters);
    AddAnimation(w, kAnimation, 16, 90, Visualizer::Style::Wave);
    w.Area("[MAIN_LINK0]", kLogo);
    AddLinks(w, kLink1, kLink2, kEvent);
    w.Sample(kTicker, t.tickerBack,
             QStringLiteral("ZELK 인터넷 라디오, QUILO입니다. 오늘도 좋은 음악과 함께하세요"));
    w.Sample(kEdit, t.editBack,
             QStringLiteral("Write and send your message! (200 characters allowed)"));
    w.Sample(kCounter, t.counterBack, QStringLiteral("0/200"));
    return w;
}

QImage MidnightDesign::MiniArt() const {
    const Theme& t = theme_;
    QImage art = Art::Canvas(kMiniSize);
    QPainter p(&art);
    Art::Prepare(p);
    Shell::Paint(p, t, Shell::Outline(kMiniSize, 16), 0);
    Shell::Well(p, t, kMiniTicker, t.tickerBack);
    Shell::Logo(p, t, QPointF(kMiniLink.x() + 3, kMiniLink.y() + 16), 14);
    return art;
}

SkinWindow MidnightDesign::Mini() const {
    const Theme& t = theme_;
    SkinWindow w(QStringLiteral("mini"), MiniArt());
    w.Area("[MINI_SCR]", kMiniTicker);
    w.Colour("[MINI_SCR_COL]", t.tickerBack);
    const QSize top(16, 16);
    w.Button("[MINI_MAIN]", QStringLiteral("main"), Small(top, Glyph::Kind::Restore),
             QPoint(286, 40));
    w.Button("[MINI_HIDE]", QStringLiteral("hide"), Small(top, Glyph::Kind::Hide), QPoint(304, 40));
    w.Button("[MINI_CLOSE]", QStringLiteral("close"), Small(top, Glyph::Kind::Close),
             QPoint(322, 40));
    const QSize key(28, 20);
    w.Button("[MINI_INFO]", QStringLiteral("info"), Small(key, Glyph::Kind::Info), QPoint(248, 38));
    w.Button("[MINI_PLAY]", QStringLiteral("play"), Round(QSize(40, 40), Glyph::Kind::Play, true),
             QPoint(12, 15));
    w.Button("[MINI_STOP]", QStringLiteral("stop"), Small(QSize(24, 20), Glyph::Kind::Stop),
             QPoint(62, 38));
    w.Button("[MINI_MUTE]", QStringLiteral("mute"), Mute(QSize(24, 20), ButtonLook::Shape::Rounded),
             QPoint(90, 38));
    w.Slider("[MINI_VOLM]", SliderArt::Render(t, QSize(92, 18), 16), QPoint(118, 39));
    w.Button("[MINI_VIEW]", QStringLiteral("view"), Small(key, Glyph::Kind::Screen),
             QPoint(216, 38));
    w.Area("[MINI_LINK]", kMiniLink);
    w.Sample(kMiniTicker, t.tickerBack, QStringLiteral("ZELK 인터넷 라디오, QUILO입니다."));
    return w;
}
