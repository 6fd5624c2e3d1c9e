#include "Quilo2Design.h"

#include <QPainter>

#include "Art.h"
#include "Fonts.h"
#include "Mascot.h"
#include "Shell.h"

namespace {

// main window geometry
constexpr QSize kMainSize(300, 476);
constexpr int kAntenna = 16;  // the antenna rises above the body
constexpr int kHeader = 46;
constexpr QRect kScreen(12, kAntenna + 52, 276, 110);
constexpr QRect kTicker(18, kAntenna + 172, 264, 20);
constexpr QRect kEdit(18, kAntenna + 356, 264, 58);
constexpr QRect kCounter(20, kAntenna + 428, 64, 18);
constexpr QRect kLogo(14, kAntenna + 8, 80, 32);  // opens the service's home page
constexpr QRect kAnimation(kScreen.x() + 10, kScreen.y() + 8, 124, 64);
constexpr QRect kCharacters(kScreen.x() + 150, kScreen.y() + 8, 70, 28);
constexpr QPoint kTransport(16, kAntenna + 202);
constexpr QPoint kLink1(16, kAntenna + 256);
constexpr QPoint kLink2(156, kAntenna + 256);
constexpr QPoint kEvent(18, kAntenna + 302);

// mini window geometry
constexpr QSize kMiniSize(360, 66);
constexpr QRect kMiniTicker(64, 10, 222, 18);
constexpr QRect kBadge(8, 10, 46, 46);  // the station badge opens the service's home page

QPainterPath MainOutline() {
    QPainterPath body = Shell::Outline(QSize(kMainSize.width(), kMainSize.height() - kAntenna), 22)
                            .translated(0, kAntenna);
    return body;
}

}  // namespace

Theme Quilo2Design::MakeTheme() {
    Theme t;
    t.name = QStringLiteral("Quilo2");
    t.korean = true;
    t.titleFace = Fonts::Face::Round;
    t.radius = 16;
    t.shellTop = QColor(250, 250, 253);
    t.shellBottom = QColor(226, 229, 240);
    t.shellEdge = QColor(70, 62, 104);
    t.shellHighlight = QColor(255, 255, 255);
    t.headerTop = QColor(124, 92, 214);
    t.headerBottom = QColor(246, 112, 118);
    t.headerInk = QColor(255, 255, 255);
    t.headerInkSoft = QColor(255, 236, 240);
    t.screenTop = QColor(36, 38, 66);
    t.screenBottom = QColor(22, 24, 44);
    t.screenEdge = QColor(120, 126, 190);
    t.wellFill = QColor(238, 240, 247);
    t.wellDark = QColor(150, 152, 178);
    t.wellLight = QColor(255, 255, 255);
    t.ink = QColor(52, 48, 78);
    t.inkSoft = QColor(110, 106, 140);
    t.buttonTop = QColor(255, 255, 255);
    t.buttonBottom = QColor(220, 222, 236);
    t.buttonEdge = QColor(112, 108, 150);
    t.buttonInk = QColor(64, 58, 100);
    t.accentTop = QColor(255, 146, 112);
    t.accentBottom = QColor(236, 82, 96);
    t.accentEdge = QColor(150, 48, 66);
    t.accentInk = QColor(255, 255, 255);
    t.closeInk = QColor(210, 62, 80);
    t.checkTick = QColor(255, 255, 255);
    t.trackFill = QColor(200, 202, 220);
    t.trackEdge = QColor(110, 106, 150);
    t.fillTop = QColor(255, 160, 110);
    t.fillBottom = QColor(240, 86, 104);
    t.thumbTop = QColor(255, 255, 255);
    t.thumbBottom = QColor(214, 214, 232);
    t.thumbEdge = QColor(96, 90, 140);
    t.tickerBack = QColor(255, 250, 234);
    t.editBack = QColor(255, 255, 255);
    t.counterBack = QColor(246, 244, 252);
    t.fieldBack = QColor(255, 255, 255);
    t.listBack = QColor(250, 250, 255);
    t.infoTitleText = QColor(255, 214, 120);
    t.infoText = QColor(236, 236, 250);
    t.menuTitle = QColor(124, 92, 214);
    t.hasMenuColour = true;
    t.barLow = QColor(90, 220, 170);
    t.barHigh = QColor(255, 120, 110);
    t.lamp = QColor(255, 80, 90);
    t.mascotBody = QColor(255, 214, 90);
    t.mascotBelly = QColor(255, 244, 200);
    t.mascotPhones = QColor(124, 92, 214);
    return t;
}

DialogSizes Quilo2Design::Sizes() {
    DialogSizes s;
    s.header = 34;
    s.log = QSize(290, 190);
    s.set = QSize(236, 180);
    s.sch = QSize(244, 348);
    s.skin = QSize(262, 230);
    s.info = QSize(250, 300);
    s.about = QSize(300, 204);
    s.view = QSize(344, 290);
    return s;
}

Quilo2Design::Quilo2Design() : SkinDesign(MakeTheme(), Sizes()) {}

namespace {

// A tuning scale under the animation: the radio look, with the needle on the station.
void PaintDial(QPainter& p, const Theme& theme, const QRectF& r) {
    const QColor ink = Art::Alpha(theme.screenEdge, 200);
    p.setPen(QPen(ink, 1.0));
    p.drawLine(QPointF(r.left(), r.top() + 8.5), QPointF(r.right(), r.top() + 8.5));
    const QFont font = Fonts::Get(Fonts::Face::Square, 8);
    const int marks = 20;
    for (int i = 0; i <= marks; ++i) {
        const double x = r.left() + r.width() * i / marks;
        const bool major = i % 4 == 0;
        p.drawLine(QPointF(x, r.top() + (major ? 3.5 : 5.5)), QPointF(x, r.top() + 8.5));
        if (major) {
            Art::Text(p, QRectF(x - 12, r.top() + 10, 24, 10), Qt::AlignCenter,
                      QString::number(88 + i), font, ink);
        }
    }
    const double needle = r.left() + r.width() * 0.62;
    p.setPen(QPen(theme.lamp, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(needle, r.top()), QPointF(needle, r.top() + 10));
}

void PaintAntenna(QPainter& p, const Theme& theme) {
    const QPointF foot(64, kAntenna + 4);
    const QPointF tip(30, 6);
    // a chrome rod: dark rim, light core
    p.setPen(QPen(theme.shellEdge, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tip);
    p.setPen(QPen(QColor(214, 214, 228), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tip);
    p.setPen(QPen(theme.shellEdge, 1.2));
    p.setBrush(theme.lamp);
    p.drawEllipse(tip, 4.6, 4.6);
    p.setPen(Qt::NoPen);
    p.setBrush(Art::Alpha(Qt::white, 170));
    p.drawEllipse(tip + QPointF(-1.3, -1.4), 1.5, 1.3);
}

// Where the antenna meets the body: a small dome on the top edge.
void PaintHinge(QPainter& p, const Theme& theme) {
    const QRectF dome(57, kAntenna - 4, 14, 9);
    QPainterPath path;
    path.addEllipse(dome);
    Art::Raised(p, path, theme.headerTop.lighter(130), theme.headerTop.darker(120),
                theme.shellEdge);
}

}  // namespace

QImage Quilo2Design::MainArt() const {
    const Theme& t = theme_;
    QImage art = Art::Canvas(kMainSize);
    QPainter p(&art);
    Art::Prepare(p);
    PaintAntenna(p, t);
    Shell::Paint(p, t, MainOutline(), kHeader);
    PaintHinge(p, t);
    const double width = Shell::Logo(p, t, QPointF(20, kAntenna + 31), 24);
    Art::Text(p, QRectF(20 + width + 6, kAntenna, 110, kHeader), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("ZELK 인터넷 라디오"), Fonts::Get(Fonts::Face::Gothic, 11, true),
              t.headerInkSoft);
    Shell::Screen(p, t, kScreen, 10);
    PaintDial(p, t,
              QRectF(kAnimation.left() + 4, kAnimation.bottom() + 10, kAnimation.width() - 8, 22));
    Shell::Well(p, t, kTicker, t.tickerBack);
    // the transport deck
    const QRectF deck(10, kTransport.y() - 5, kMainSize.width() - 20, 56);
    p.fillPath(Art::Rounded(deck, 12), Art::Alpha(t.wellDark, 34));
    p.fillPath(Art::Rounded(deck.adjusted(0, 1, 0, 0), 12).subtracted(Art::Rounded(deck, 12)),
               Art::Alpha(Qt::white, 160));
    PaintLinkSlots(p, kLink1, kLink2);
    Shell::Well(p, t, kEdit, t.editBack);
    Shell::Well(p, t, kCounter, t.counterBack, 2);
    Art::Text(p, QRectF(kCounter.right() + 8, kCounter.y(), 110, kCounter.height()),
              Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("한글 100자까지"),
              Fonts::Get(Fonts::Face::Gothic, 10), t.inkSoft);
    return art;
}

SkinWindow Quilo2Design::Main() const {
    const Theme& t = theme_;
    SkinWindow w(QStringLiteral("main"), MainArt());
    w.Area("[MAIN_EDIT]", kEdit);
    w.Colour("[MAIN_EDIT_COL]", t.editBack);
    w.Area("[MAIN_LENG]", kCounter);
    w.Colour("[MAIN_LENG_COL]", t.counterBack);
    w.Area("[MAIN_SCR]", kTicker);
    w.Colour("[MAIN_SCR_COL]", t.tickerBack);
    const QSize header(22, 20);
    const int top = kAntenna + 13;
    w.Button("[MAIN_MINI]", QStringLiteral("mini"), Small(header, Glyph::Kind::Minimize),
             QPoint(204, top));
    w.Button("[MAIN_HIDE]", QStringLiteral("hide"), Small(header, Glyph::Kind::Hide),
             QPoint(230, top));
    w.Button("[MAIN_CLOSE]", QStringLiteral("close"), Small(header, Glyph::Kind::Close),
             QPoint(256, top));
    const int pills = kScreen.y() + 86;
    w.Button("[MAIN_INFO]", QStringLiteral("info"),
             Pill(QSize(44, 18), Glyph::Kind::Info, QStringLiteral("정보")), QPoint(238, pills));
    w.Button("[MAIN_PLAY]", QStringLiteral("play"), Round(QSize(46, 46), Glyph::Kind::Play, true),
             kTransport);
    w.Button("[MAIN_STOP]", QStringLiteral("stop"), Round(QSize(34, 34), Glyph::Kind::Stop, false),
             kTransport + QPoint(54, 6));
    w.Button("[MAIN_MUTE]", QStringLiteral("mute"), Mute(QSize(34, 34), ButtonLook::Shape::Circle),
             kTransport + QPoint(94, 6));
    w.Slider("[MAIN_VOLM]", SliderArt::Render(t, QSize(132, 20), 18), kTransport + QPoint(136, 13));
    w.Button("[MAIN_VIEW]", QStringLiteral("view"),
             Pill(QSize(78, 18), Glyph::Kind::Screen, QStringLiteral("보는 라디오")),
             QPoint(156, pills));
    w.Button("[MAIN_SEND]", QStringLiteral("send"),
             Send(QSize(80, 26), ButtonLook::Shape::Capsule, QStringLiteral("보내기")),
             QPoint(204, kAntenna + 424));
    AddCharacters(w, kCharacters);
    AddAnimation(w, kAnimation, 12, 110, Visualizer::Style::Bars);
    w.Area("[MAIN_LINK0]", kLogo);
    AddLinks(w, kLink1, kLink2, kEvent);
    w.Sample(kTicker, t.tickerBack,
             QStringLiteral("ZELK 인터넷 라디오, QUILO입니다. 오늘도 좋은 음악과 함께하세요"));
    w.Sample(kEdit, t.editBack, QStringLiteral("메세지를 적어보내세요! (한글 100자: 200byte)"));
    w.Sample(kCounter, t.counterBack, QStringLiteral("0/200"));
    return w;
}

QImage Quilo2Design::MiniArt() const {
    const Theme& t = theme_;
    QImage art = Art::Canvas(kMiniSize);
    QPainter p(&art);
    Art::Prepare(p);
    const QPainterPath body = Shell::Outline(kMiniSize, 20);
    Shell::Paint(p, t, body, 0);
    // the coloured cap on the left holds the station badge
    p.save();
    p.setClipPath(body);
    QLinearGradient cap(0, 0, 0, kMiniSize.height());
    cap.setColorAt(0, t.headerTop);
    cap.setColorAt(1, t.headerBottom);
    p.fillRect(QRectF(0, 0, 60, kMiniSize.height()), cap);
    p.fillRect(QRectF(60, 0, 1, kMiniSize.height()), Art::Alpha(Qt::black, 50));
    p.setPen(QPen(t.shellEdge, 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.restore();
    QPainterPath disc;
    disc.addEllipse(QRectF(kBadge).adjusted(0.5, 0.5, -0.5, -0.5));
    Art::Raised(p, disc, QColor(255, 255, 255), QColor(236, 232, 250), t.shellEdge);
    Mascot::Head(p, QRectF(kBadge).adjusted(3, 3, -3, -3), t.mascotBody, t.mascotPhones);
    Shell::Well(p, t, kMiniTicker, t.tickerBack);
    return art;
}

SkinWindow Quilo2Design::Mini() const {
    const Theme& t = theme_;
    SkinWindow w(QStringLiteral("mini"), MiniArt());
    w.Area("[MINI_SCR]", kMiniTicker);
    w.Colour("[MINI_SCR_COL]", t.tickerBack);
    const QSize top(18, 16);
    w.Button("[MINI_MAIN]", QStringLiteral("main"), Small(top, Glyph::Kind::Restore),
             QPoint(294, 10));
    w.Button("[MINI_HIDE]", QStringLiteral("hide"), Small(top, Glyph::Kind::Hide), QPoint(315, 10));
    w.Button("[MINI_CLOSE]", QStringLiteral("close"), Small(top, Glyph::Kind::Close),
             QPoint(336, 10));
    w.Button("[MINI_INFO]", QStringLiteral("info"), Small(QSize(24, 20), Glyph::Kind::Info),
             QPoint(304, 38));
    w.Button("[MINI_PLAY]", QStringLiteral("play"), Round(QSize(28, 28), Glyph::Kind::Play, true),
             QPoint(64, 34));
    w.Button("[MINI_STOP]", QStringLiteral("stop"), Round(QSize(22, 22), Glyph::Kind::Stop, false),
             QPoint(96, 37));
    w.Button("[MINI_MUTE]", QStringLiteral("mute"), Mute(QSize(22, 22), ButtonLook::Shape::Circle),
             QPoint(122, 37));
    w.Slider("[MINI_VOLM]", SliderArt::Render(t, QSize(114, 18), 16), QPoint(150, 39));
    w.Button("[MINI_VIEW]", QStringLiteral("view"), Small(QSize(34, 20), Glyph::Kind::Screen),
             QPoint(268, 38));
    w.Area("[MINI_LINK]", kBadge);
    w.Sample(kMiniTicker, t.tickerBack, QStringLiteral("ZELK 인터넷 라디오, QUILO입니다."));
    return w;
}
