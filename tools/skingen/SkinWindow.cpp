#include "SkinWindow.h"

#include <QPainter>
#include <vector>

#include "Art.h"
#include "ColorKey.h"
#include "Fonts.h"
#include "SkinIni.h"

namespace {

// Copies the non-key pixels of a keyed bitmap onto `target` at `at`, as the player shows it.
void DrawKeyed(QImage& target, const QImage& bitmap, QPoint at) {
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb pixel = bitmap.pixel(x, y);
            if (!ColorKey::IsKey(pixel) && target.valid(at.x() + x, at.y() + y)) {
                target.setPixel(at.x() + x, at.y() + y, pixel);
            }
        }
    }
}

// Counts see-through pixels that cannot be reached from the bitmap's border: holes in the face,
// through which clicks would fall.
int Holes(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<size_t>(w * h), 0);
    std::vector<QPoint> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen[static_cast<size_t>(y * w + x)] ||
            !ColorKey::IsKey(image.pixel(x, y))) {
            return;
        }
        seen[static_cast<size_t>(y * w + x)] = 1;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    int holes = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            holes += ColorKey::IsKey(image.pixel(x, y)) && !seen[static_cast<size_t>(y * w + x)];
        }
    }
    return holes;
}

}  // namespace

SkinWindow::SkinWindow(const QString& prefix, const QImage& art)
    : prefix_(prefix), background_(ColorKey::Flatten(art)) {}

QImage SkinWindow::Keyed(const QImage& art, QPoint at, ColorKey::Edge edge) const {
    return ColorKey::Flatten(art, &background_, at, edge);
}

void SkinWindow::Take(const QString& what, const QRect& rect) {
    footprints_.push_back({what, rect});
}

void SkinWindow::Button(const char* key, const QString& name, const ButtonLook& look, QPoint at) {
    const QString stem = prefix_ + QStringLiteral("_btn_") + name;
    bitmaps_.push_back(
        {stem + QStringLiteral("_up.bmp"), Keyed(ButtonArt::Render(look, false), at), at, true});
    bitmaps_.push_back(
        {stem + QStringLiteral("_dn.bmp"), Keyed(ButtonArt::Render(look, true), at), at, false});
    Values(key, {at.x(), at.y()}, QRect(at, look.size));
}

void SkinWindow::Check(const char* key, const QString& name, const QImage& off, const QImage& on,
                       QPoint at) {
    const QString stem = prefix_ + QStringLiteral("_chk_") + name;
    bitmaps_.push_back({stem + QStringLiteral("_up.bmp"), Keyed(off, at), at, true});
    bitmaps_.push_back({stem + QStringLiteral("_dn.bmp"), Keyed(on, at), at, false});
    Values(key, {at.x(), at.y()}, QRect(at, off.size()));
}

void SkinWindow::Slider(const char* key, const SliderImages& images, QPoint at) {
    const QString stem = prefix_ + QStringLiteral("_sld_vol_");
    bitmaps_.push_back({stem + QStringLiteral("channel.bmp"), Keyed(images.channel, at), at, true});
    bitmaps_.push_back(
        {stem + QStringLiteral("channel_dn.bmp"), Keyed(images.channelActive, at), at, false});
    // the thumb travels; its edges are blended with the channel's middle
    const QPoint mid(at.x() + (images.channel.width() - images.thumb.width()) / 2, at.y());
    const auto hard = ColorKey::Edge::Hard;
    bitmaps_.push_back(
        {stem + QStringLiteral("thumb.bmp"), Keyed(images.thumb, mid, hard), mid, true});
    bitmaps_.push_back(
        {stem + QStringLiteral("thumb_dn.bmp"), Keyed(images.thumbPressed, mid, hard), mid, false});
    Values(key, {at.x(), at.y()}, QRect(at, images.channel.size()));
}

void SkinWindow::Area(const char* key, const QRect& rect) {
    Values(key, {rect.x(), rect.y(), rect.width(), rect.height()}, rect);
}

void SkinWindow::Colour(const char* key, const QColor& colour) {
    Values(key, {colour.red(), colour.green(), colour.blue()});
}

void SkinWindow::Values(const char* key, const std::vector<int>& values, const QRect& footprint) {
    entries_.push_back({QByteArray(key), values});
    if (!footprint.isEmpty()) {
        Take(QString::fromLatin1(key), footprint);
    }
}

void SkinWindow::Reserve(const QRect& rect, const QString& what) {
    Take(what, rect);
}

void SkinWindow::File(const QString& fileName, const QImage& image, QPoint previewAt) {
    bitmaps_.push_back({fileName, image, previewAt, previewAt.x() >= 0});
}

void SkinWindow::Sample(const QRect& rect, const QColor& fill, const QString& text, int pixelSize,
                        const QColor& ink) {
    samples_.push_back({rect, fill, text, pixelSize, ink});
}

QStringList SkinWindow::Problems() const {
    QStringList problems;
    if (const int holes = Holes(background_)) {
        problems << prefix_ + QStringLiteral(" has %1 see-through pixels inside").arg(holes);
    }
    const QRect window(QPoint(0, 0), Size());
    for (size_t i = 0; i < footprints_.size(); ++i) {
        const Footprint& f = footprints_[i];
        const QString where = prefix_ + QLatin1Char(' ') + f.what;
        if (!window.contains(f.rect)) {
            problems << where + QStringLiteral(" leaves the window");
            continue;
        }
        for (int y = f.rect.top(); y <= f.rect.bottom(); ++y) {
            for (int x = f.rect.left(); x <= f.rect.right(); ++x) {
                if (ColorKey::IsKey(background_.pixel(x, y))) {
                    problems << where + QStringLiteral(" stands on see-through pixels");
                    y = f.rect.bottom();
                    break;
                }
            }
        }
        for (size_t j = i + 1; j < footprints_.size(); ++j) {
            if (f.rect.intersects(footprints_[j].rect)) {
                problems << where + QStringLiteral(" covers ") + footprints_[j].what;
            }
        }
    }
    return problems;
}

bool SkinWindow::Write(const QDir& folder, SkinIni& ini) const {
    bool ok = Art::WriteBmp(background_, folder.filePath(prefix_ + QStringLiteral("_bg.bmp")));
    for (const Bitmap& b : bitmaps_) {
        ok = Art::WriteBmp(b.image, folder.filePath(b.file)) && ok;
    }
    ini.Comment(prefix_ + QStringLiteral(" window"));
    for (const Entry& e : entries_) {
        ok = ini.Add(e.key, e.values) && ok;
    }
    return ok;
}

QImage SkinWindow::Preview(const QColor& desktop) const {
    QImage image = background_.copy();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (ColorKey::IsKey(image.pixel(x, y))) {
                image.setPixel(x, y, desktop.rgb());
            }
        }
    }
    {
        QPainter p(&image);
        Art::Prepare(p);
        for (const SampleText& s : samples_) {
            if (s.fill.isValid()) {
                p.fillRect(s.rect, s.fill);
            }
            p.setFont(Fonts::Get(Fonts::Face::Gothic, s.pixelSize));
            p.setPen(s.ink);
            const bool line = s.rect.height() < 2 * s.pixelSize;
            p.drawText(s.rect.adjusted(3, 2, -3, -2),
                       line ? Qt::AlignLeft | Qt::AlignVCenter
                            : Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                       s.text);
        }
    }
    for (const Bitmap& b : bitmaps_) {
        if (b.shown) {
            DrawKeyed(image, b.image, b.at);
        }
    }
    return image;
}
