#include "SkinDesign.h"

#include <QPainter>

#include "Art.h"
#include "ColorKey.h"
#include "Fonts.h"
#include "Mascot.h"
#include "SkinIni.h"

SkinDesign::SkinDesign(const Theme& theme, const DialogSizes& sizes)
    : theme_(theme), sizes_(sizes) {}

ButtonLook SkinDesign::Round(QSize size, Glyph::Kind glyph, bool accent) const {
    const ButtonLook look = accent ? ButtonArt::Accent(theme_, size, ButtonLook::Shape::Circle)
                                   : ButtonArt::Plain(theme_, size, ButtonLook::Shape::Circle);
    return ButtonArt::WithGlyph(look, glyph, 0.5);
}

ButtonLook SkinDesign::Small(QSize size, Glyph::Kind glyph) const {
    ButtonLook look = ButtonArt::Plain(theme_, size, ButtonLook::Shape::Rounded);
    look.radius = 5;
    if (glyph == Glyph::Kind::Close) {
        look.ink = theme_.closeInk;
    }
    return ButtonArt::WithGlyph(look, glyph, 0.62);
}

ButtonLook SkinDesign::Pill(QSize size, Glyph::Kind glyph, const QString& label) const {
    ButtonLook look = ButtonArt::Plain(theme_, size, ButtonLook::Shape::Capsule);
    look = ButtonArt::WithGlyph(look, glyph, 0.66);
    return ButtonArt::WithLabel(look, label, Fonts::Get(Fonts::Face::Gothic, 11, true));
}

ButtonLook SkinDesign::Mute(QSize size, ButtonLook::Shape shape) const {
    ButtonLook look = ButtonArt::Plain(theme_, size, shape);
    look.radius = 5;
    look = ButtonArt::WithGlyph(look, Glyph::Kind::Speaker, 0.56);
    look.pressedGlyph = Glyph::Kind::SpeakerMuted;
    return look;
}

ButtonLook SkinDesign::Send(QSize size, ButtonLook::Shape shape, const QString& label) const {
    const ButtonLook look =
        ButtonArt::WithGlyph(ButtonArt::Accent(theme_, size, shape), Glyph::Kind::Send, 0.56);
    return ButtonArt::WithLabel(look, label, Fonts::Get(Fonts::Face::Gothic, 12, true));
}

void SkinDesign::AddCharacters(SkinWindow& w, const QRect& area) const {
    const QPoint middle = area.center();
    const struct {
        const char* file;
        QSize size;
        Mascot::Pose pose;
    } sprites[] = {{"quilo_big.bmp", kBigCharacter, Mascot::Pose::Singing},
                   {"quilo_small.bmp", kSmallCharacter, Mascot::Pose::Waving}};
    for (const auto& s : sprites) {
        QImage art = Art::Canvas(s.size);
        QPainter p(&art);
        Art::Prepare(p);
        Mascot::Draw(p, QRectF(QPointF(0, 0), QSizeF(s.size)), theme_, s.pose);
        p.end();
        // the blue around the character is replaced by the window under it; blend the edge
        // with the display it hops on
        const QPoint at(middle.x() - s.size.width() / 2, middle.y() - s.size.height() / 2);
        const bool big = s.size == kBigCharacter;
        w.File(QString::fromLatin1(s.file), ColorKey::Flatten(art, &w.Background(), at),
               big ? QPoint(area.right() + 1 - s.size.width() / 2, area.top())
                   : QPoint(area.left(), area.bottom() - 4));
    }
    // a sprite's top-left lands anywhere in the area, so it may reach one sprite further
    w.Values("[MAIN_QUILO]", {area.x(), area.y(), area.width(), area.height()},
             area.adjusted(0, 0, kBigCharacter.width(), kBigCharacter.height()));
}

void SkinDesign::AddAnimation(SkinWindow& w, const QRect& area, int frames, int period,
                              Visualizer::Style style) const {
    const QImage screen = w.Background().copy(area);
    for (int i = 0; i < frames; ++i) {
        const QString name =
            QStringLiteral("main_quiloG_%1.bmp").arg(i + 1, 2, 10, QLatin1Char('0'));
        w.File(name, Visualizer::Frame(theme_, style, screen, i, frames),
               i == frames / 3 ? area.topLeft() : QPoint(-1, -1));
    }
    w.Values("[MAIN_QUILO_G]", {area.x(), area.y(), area.width(), area.height(), frames, period},
             area);
}

void SkinDesign::PaintLinkSlots(QPainter& p, const QPoint& link1, const QPoint& link2) const {
    for (const QPoint& at : {link1, link2}) {
        const QRectF slot(QRectF(at, QSizeF(kLinkImage)).adjusted(0.5, 0.5, -0.5, -0.5));
        p.fillPath(Art::Rounded(slot, 6), Art::Alpha(theme_.wellDark, 40));
        p.setPen(QPen(Art::Alpha(theme_.inkSoft, 110), 1.0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(slot.adjusted(1, 1, -1, -1), 5, 5);
        Glyph::Draw(p, Glyph::Kind::Globe,
                    QRectF(slot.center().x() - 9, slot.center().y() - 9, 18, 18),
                    Art::Alpha(theme_.inkSoft, 120));
    }
}

void SkinDesign::AddLinks(SkinWindow& w, const QPoint& link1, const QPoint& link2,
                          const QPoint& event) const {
    // each frame's size too, so the service's pictures fill it whatever size they come in
    for (const auto& [key, frame] : {std::pair{"[MAIN_LINK1]", QRect(link1, kLinkImage)},
                                     std::pair{"[MAIN_LINK2]", QRect(link2, kLinkImage)},
                                     std::pair{"[MAIN_LINK3]", QRect(event, kEventImage)}}) {
        w.Values(key, {frame.x(), frame.y(), frame.width(), frame.height()}, frame);
    }
    w.File(QStringLiteral("event_null.bmp"),
           ColorKey::Flatten(EventBanner(), &w.Background(), event, ColorKey::Edge::Soft), event);
}

QImage SkinDesign::EventBanner() const {
    QImage art = Art::Canvas(kEventImage);
    QPainter p(&art);
    Art::Prepare(p);
    const QRectF r(0.5, 0.5, kEventImage.width() - 1.0, kEventImage.height() - 1.0);
    const QPainterPath path = Art::Rounded(r, 9);
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, theme_.headerTop);
    g.setColorAt(1, theme_.headerBottom);
    p.fillPath(path, g);
    Art::Gloss(p, path, 80);
    p.setPen(QPen(theme_.shellEdge, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    Mascot::Draw(p, QRectF(6, 2, 40, 40), theme_, Mascot::Pose::Waving);
    Art::Text(p, QRectF(52, 5, r.width() - 60, 18), Qt::AlignLeft | Qt::AlignVCenter,
              theme_.Label("ZELK 인터넷 라디오 이벤트", "ZELK Internet Radio events"),
              Fonts::Get(Fonts::Face::Gothic, 13, true), theme_.headerInk,
              Art::Alpha(Qt::black, 70));
    Art::Text(p, QRectF(52, 23, r.width() - 60, 16), Qt::AlignLeft | Qt::AlignVCenter,
              theme_.Label("새 소식은 홈페이지에서 확인하세요", "News and prizes on our website"),
              Fonts::Get(Fonts::Face::Gothic, 11), theme_.headerInkSoft);
    return art;
}

QImage SkinDesign::Choice(const SkinWindow& main) const {
    const QSize tile(64, 64);
    QImage base(tile, QImage::Format_RGB32);
    {
        QPainter p(&base);
        QLinearGradient g(0, 0, 0, tile.height());
        g.setColorAt(0, theme_.headerTop.lighter(120));
        g.setColorAt(1, theme_.headerBottom.darker(115));
        p.fillRect(base.rect(), g);
    }
    // the main face as the listener sees it, cut out and shrunk into the tile
    QImage face =
        main.Preview(QColor::fromRgb(ColorKey::kKey)).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (ColorKey::IsKey(face.pixel(x, y))) {
                face.setPixel(x, y, 0);
            }
        }
    }
    face = face.scaled(QSize(58, 58), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QPoint at((tile.width() - face.width()) / 2, (tile.height() - face.height()) / 2);
    return ColorKey::Over(base, face, at);
}

QStringList SkinDesign::WriteFolder(const QDir& folder,
                                    const std::vector<SkinWindow>& windows) const {
    QStringList problems;
    SkinIni ini;
    ini.Comment(QStringLiteral("Quilo skin \"%1\", drawn by quilo-skingen: change the generator, "
                               "not this file.")
                    .arg(theme_.name));
    for (const SkinWindow& w : windows) {
        if (!w.Write(folder, ini)) {
            problems << QStringLiteral(
                            "cannot write the %1 window (its bitmaps, or a key written twice)")
                            .arg(w.Prefix());
        }
    }
    if (theme_.hasMenuColour) {
        ini.Comment(QStringLiteral("pop-up menus: the title strip"));
        if (!ini.Add("[MENU_COL]",
                     {theme_.menuTitle.red(), theme_.menuTitle.green(), theme_.menuTitle.blue()})) {
            problems << QStringLiteral("[MENU_COL] twice");
        }
    }
    if (!Art::WriteBmp(Choice(windows.front()), folder.filePath(QStringLiteral("choice.bmp")))) {
        problems << QStringLiteral("cannot write choice.bmp");
    }
    QFile text(folder.filePath(QStringLiteral("skininfo.ini")));
    if (!text.open(QIODevice::WriteOnly | QIODevice::Truncate) || text.write(ini.Bytes()) < 0) {
        problems << QStringLiteral("cannot write skininfo.ini");
    }
    return problems;
}

QStringList SkinDesign::Write(const QDir& skinsRoot, const QString& previewFolder) const {
    const DialogBuilder dialogs(theme_, sizes_);
    const std::vector<SkinWindow> windows = {Main(),         Mini(),          dialogs.Log(),
                                             dialogs.Set(),  dialogs.Sch(),   dialogs.Skin(),
                                             dialogs.Info(), dialogs.About(), dialogs.View()};
    // previews first: they show what is wrong when the checks below refuse the layout
    for (const SkinWindow& w : windows) {
        if (!previewFolder.isEmpty()) {
            w.Preview().save(QDir(previewFolder)
                                 .filePath(theme_.name + QLatin1Char('_') + w.Prefix() +
                                           QStringLiteral(".png")));
        }
    }
    QStringList problems;
    for (const SkinWindow& w : windows) {
        problems += w.Problems();
    }
    if (!problems.isEmpty()) {
        return problems;
    }
    QDir folder(skinsRoot.filePath(theme_.name));
    folder.mkpath(QStringLiteral("."));
    // a bitmap the skin no longer has must not linger from an earlier run
    for (const QString& old : folder.entryList({QStringLiteral("*.bmp")}, QDir::Files)) {
        folder.remove(old);
    }
    return WriteFolder(folder, windows);
}
