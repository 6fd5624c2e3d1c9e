#include "ResourceWriter.h"

#include <QFile>
#include <QPainter>

#include "Art.h"
#include "Chime.h"
#include "ColorKey.h"
#include "Fonts.h"
#include "Glyph.h"
#include "Mascot.h"
#include "Quilo2Design.h"
#include "Shell.h"

namespace {

constexpr QSize kDialog(260, 196);
constexpr QSize kToolImage(16, 15);
// menus are drawn light: the images' edges are blended towards that
const QColor kMenuBack(244, 244, 248);

QImage MenuMatte(QSize size) {
    QImage matte(size, QImage::Format_RGB32);
    matte.fill(kMenuBack);
    return matte;
}

// ((•)): a dot sending waves both ways.
void BroadcastMark(QPainter& p, double s) {
    const QColor white(255, 255, 255);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.12, s * 0.12);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double r = s * (0.12 + 0.14 * i);
        const QRectF ring(s / 2 - r, s / 2 - r, 2 * r, 2 * r);
        p.setPen(QPen(white, s * 0.09, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(ring, -40 * 16, 80 * 16);
        p.drawArc(ring, 140 * 16, 80 * 16);
    }
}

// A little radio with its antenna sending waves.
void RadioMark(QPainter& p, double s, const Theme& theme) {
    const QColor white(255, 255, 255);
    const QRectF radio(s * 0.16, s * 0.42, s * 0.68, s * 0.42);
    p.setPen(QPen(white, s * 0.05, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.62, s * 0.43), QPointF(s * 0.74, s * 0.2));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double r = s * 0.07 * i;
        p.drawArc(QRectF(s * 0.74 - r, s * 0.2 - r, 2 * r, 2 * r), -30 * 16, 100 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(Art::Rounded(radio, s * 0.08));
    p.setBrush(theme.accentBottom);
    p.drawEllipse(QPointF(radio.left() + radio.height() * 0.5, radio.center().y()),
                  radio.height() * 0.3, radio.height() * 0.3);
    p.setPen(QPen(theme.headerTop, s * 0.035, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double y = radio.top() + radio.height() * (0.3 + 0.2 * i);
        p.drawLine(QPointF(radio.left() + radio.width() * 0.52, y),
                   QPointF(radio.right() - radio.width() * 0.12, y));
    }
}

}  // namespace

ResourceWriter::ResourceWriter(const QDir& folder)
    : folder_(folder), theme_(Quilo2Design::MakeTheme()) {}

void ResourceWriter::Bitmap(const QString& name, const QImage& image) {
    files_ << name;
    if (!Art::WriteBmp(image, folder_.filePath(name))) {
        failed_ << name;
    }
}

void ResourceWriter::Png(const QString& name, const QImage& image) {
    files_ << name;
    QFile file(folder_.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !image.save(&file, "PNG")) {
        failed_ << name;
    }
}

void ResourceWriter::Raw(const QString& name, const QByteArray& bytes) {
    files_ << name;
    QFile file(folder_.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0) {
        failed_ << name;
    }
}

QImage ResourceWriter::Icon(int size) const {
    QImage image = Art::Canvas(QSize(size, size));
    QPainter p(&image);
    Art::Prepare(p);
    const QRectF box(0.5, 0.5, size - 1.0, size - 1.0);
    const QPainterPath squircle = Art::Rounded(box, size * 0.24);
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, theme_.headerTop);
    g.setColorAt(1, theme_.headerBottom);
    p.fillPath(squircle, g);
    Art::Gloss(p, squircle, 70);
    // the tray's small size carries only the broadcast mark; the window icon a whole radio
    if (size < 32) {
        BroadcastMark(p, size);
    } else {
        RadioMark(p, size, theme_);
    }
    return image;
}

QImage ResourceWriter::Toolbar() const {
    const struct {
        Glyph::Kind glyph;
        QColor ink;
    } images[] = {
        {Glyph::Kind::Hide, QColor(70, 74, 96)},       // hide / show
        {Glyph::Kind::Screen, QColor(124, 92, 214)},   // seeing radio
        {Glyph::Kind::List, QColor(20, 140, 130)},     // today's programs
        {Glyph::Kind::Play, QColor(30, 160, 80)},      // play
        {Glyph::Kind::Stop, QColor(210, 70, 80)},      // stop
        {Glyph::Kind::Gear, QColor(96, 100, 118)},     // settings
        {Glyph::Kind::Palette, QColor(176, 120, 60)},  // change skin
        {Glyph::Kind::Info, QColor(40, 110, 200)},     // version info
        {Glyph::Kind::Close, QColor(200, 50, 60)},     // close
    };
    const int count = static_cast<int>(std::size(images));
    QImage art = Art::Canvas(QSize(kToolImage.width() * count, kToolImage.height()));
    QPainter p(&art);
    Art::Prepare(p);
    for (int i = 0; i < count; ++i) {
        const QRectF cell(i * kToolImage.width() + 1, 0.5, kToolImage.width() - 2,
                          kToolImage.height() - 1);
        Glyph::Draw(p, images[i].glyph, cell, images[i].ink);
    }
    p.end();
    const QImage matte = MenuMatte(art.size());
    return ColorKey::Flatten(art, &matte);
}

QImage ResourceWriter::SkinThumb() const {
    QImage base(64, 64, QImage::Format_RGB32);
    QImage art = Art::Canvas(base.size());
    {
        QPainter p(&base);
        QLinearGradient g(0, 0, 0, 64);
        g.setColorAt(0, QColor(228, 230, 242));
        g.setColorAt(1, QColor(196, 200, 222));
        p.fillRect(base.rect(), g);
    }
    QPainter p(&art);
    Art::Prepare(p);
    // a generic little player face with a palette over it: "some skin"
    const QRectF face(12, 10, 40, 44);
    Art::Raised(p, Art::Rounded(face, 7), theme_.shellTop, theme_.shellBottom, theme_.shellEdge);
    p.fillRect(QRectF(14, 18, 36, 12), theme_.screenTop);
    p.fillRect(QRectF(14, 33, 36, 4), theme_.tickerBack);
    p.setPen(Qt::NoPen);
    p.setBrush(theme_.accentBottom);
    p.drawEllipse(QPointF(20, 45), 4, 4);
    Glyph::Draw(p, Glyph::Kind::Palette, QRectF(30, 32, 30, 28), QColor(120, 86, 60));
    p.end();
    return ColorKey::Over(base, art, QPoint(0, 0));
}

void ResourceWriter::Button(const QString& stem, const QImage& background, const ButtonLook& look,
                            QPoint at) {
    const QImage under = background.copy(QRect(at, look.size));
    Bitmap(stem + QStringLiteral("_up.bmp"),
           ColorKey::Over(under, ButtonArt::Render(look, false), QPoint(0, 0)));
    Bitmap(stem + QStringLiteral("_dn.bmp"),
           ColorKey::Over(under, ButtonArt::Render(look, true), QPoint(0, 0)));
}

QImage ResourceWriter::LoginBackground() const {
    QImage art = Art::Canvas(kDialog);
    QPainter p(&art);
    Art::Prepare(p);
    Shell::Paint(p, theme_, Shell::Outline(kDialog, 16), 62);
    Mascot::Draw(p, QRectF(12, 6, 52, 52), theme_, Mascot::Pose::Singing);
    Shell::Logo(p, theme_, QPointF(70, 34), 24);
    Art::Text(p, QRectF(71, 38, 180, 16), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("ZELK Internet Radio"), Fonts::Get(Fonts::Face::Gothic, 11, true),
              theme_.headerInkSoft);
    const QFont bold = Fonts::Get(Fonts::Face::Gothic, 12, true);
    Art::Text(p, QRectF(40, 79, 34, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("ID"),
              bold, theme_.ink);
    Art::Text(p, QRectF(40, 103, 34, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("PW"),
              bold, theme_.ink);
    Shell::Well(p, theme_, QRect(80, 79, 100, 16), Qt::white, 2);
    Shell::Well(p, theme_, QRect(80, 103, 100, 16), Qt::white, 2);
    // separators between the fields, the buttons and the links
    for (int y : {127, 163}) {
        p.fillRect(QRectF(16, y, kDialog.width() - 32, 1), Art::Alpha(theme_.wellDark, 110));
        p.fillRect(QRectF(16, y + 1, kDialog.width() - 32, 1), theme_.wellLight);
    }
    return art;
}

void ResourceWriter::LoginButtons(const QImage& background) {
    const QFont small = Fonts::Get(Fonts::Face::Gothic, 10, true);
    Button(
        QStringLiteral("login_ok"), background,
        ButtonArt::WithLabel(ButtonArt::Accent(theme_, QSize(52, 44), ButtonLook::Shape::Rounded),
                             QStringLiteral("OK"), Fonts::Get(Fonts::Face::Gothic, 14, true)),
        QPoint(191, 75));
    Button(QStringLiteral("login_cancel"), background,
           ButtonArt::WithLabel(ButtonArt::Plain(theme_, QSize(38, 21), ButtonLook::Shape::Rounded),
                                QStringLiteral("Cancel"), small),
           QPoint(146, 134));
    Button(QStringLiteral("login_member"), background,
           ButtonArt::WithLabel(ButtonArt::Plain(theme_, QSize(64, 22), ButtonLook::Shape::Rounded),
                                QStringLiteral("Join Member"), small),
           QPoint(71, 133));
    ButtonLook find = ButtonArt::Link(theme_, QSize(116, 12), QStringLiteral("Find ID/PW"));
    find.font = Fonts::Get(Fonts::Face::Gothic, 10);
    Button(QStringLiteral("login_find"), background, find, QPoint(22, 174));
    const QImage under = background.copy(QRect(163, 172, 71, 15));
    const QFont label = Fonts::Get(Fonts::Face::Gothic, 11);
    for (bool ticked : {false, true}) {
        Bitmap(ticked ? QStringLiteral("login_save_on.bmp") : QStringLiteral("login_save_off.bmp"),
               ColorKey::Over(
                   under,
                   ButtonArt::Check(theme_, under.size(), QStringLiteral("Save ID"), label, ticked),
                   QPoint(0, 0)));
    }
}

QImage ResourceWriter::AboutBackground() const {
    QImage art = Art::Canvas(kDialog);
    QPainter p(&art);
    Art::Prepare(p);
    Shell::Paint(p, theme_, Shell::Outline(kDialog, 16), 26);
    Art::Text(p, QRectF(14, 0, 200, 26), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("Version Info"), Fonts::Get(Fonts::Face::Gothic, 12, true),
              theme_.headerInk);
    Mascot::Draw(p, QRectF(14, 34, 66, 66), theme_, Mascot::Pose::Waving);
    Art::Text(p, QRectF(86, 40, 120, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quilo"),
              Fonts::Get(Fonts::Face::Round, 30, true), theme_.ink);
    Art::Text(p, QRectF(88, 74, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("ZELK Internet Radio"), Fonts::Get(Fonts::Face::Gothic, 11, true),
              theme_.inkSoft);
    // the web site badge, inside the built-in link area (206, 30)-(260, 77)
    const ButtonLook badge =
        ButtonArt::WithGlyph(ButtonArt::Plain(theme_, QSize(42, 38), ButtonLook::Shape::Rounded),
                             Glyph::Kind::Globe, 0.62);
    p.drawImage(QPoint(210, 34), ButtonArt::Render(badge, false));
    // the version lines are black: keep a light panel under them
    p.fillPath(Art::Rounded(QRectF(14, 108, 232, 52), 7), QColor(252, 252, 248));
    p.setPen(QPen(Art::Alpha(theme_.wellDark, 120), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Art::Rounded(QRectF(14.5, 108.5, 231, 51), 7));
    return art;
}

void ResourceWriter::AboutButtons(const QImage& background) {
    Button(
        QStringLiteral("about_ok"), background,
        ButtonArt::WithLabel(ButtonArt::Accent(theme_, QSize(41, 24), ButtonLook::Shape::Rounded),
                             QStringLiteral("OK"), Fonts::Get(Fonts::Face::Gothic, 12, true)),
        QPoint(214, 167));
}

QStringList ResourceWriter::Write() {
    folder_.mkpath(QStringLiteral("."));
    Png(QStringLiteral("icon124.png"), Icon(48));
    Png(QStringLiteral("icon196.png"), Icon(22));
    Bitmap(QStringLiteral("toolbar128.bmp"), Toolbar());
    Raw(QStringLiteral("wave198.wav"), Chime::Wave());
    const QImage login = ColorKey::Flatten(LoginBackground());
    Bitmap(QStringLiteral("login_bg.bmp"), login);
    LoginButtons(login);
    const QImage about = ColorKey::Flatten(AboutBackground());
    Bitmap(QStringLiteral("about_bg.bmp"), about);
    AboutButtons(about);
    Bitmap(QStringLiteral("skin_thumb.bmp"), SkinThumb());

    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/res\">\n";
    for (const QString& file : files_) {
        qrc += "    <file>" + file.toLatin1() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    Raw(QStringLiteral("resources.qrc"), qrc);
    return failed_;
}
