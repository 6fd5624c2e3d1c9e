#include "windows/ProgramLinks.h"

#include <QFileInfo>
#include <QPainter>

#include "content/Program.h"
#include "content/WorkFolder.h"
#include "platform/StringTable.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"

namespace {

constexpr const char* kLinkKeys[] = {"[MAIN_LINK1]", "[MAIN_LINK2]", "[MAIN_LINK3]"};

// A file of the work folder, or nothing when there is no usable work folder.
QString WorkFile(const QString& name) {
    const QString folder = GetWorkFolder();
    return folder.isEmpty() ? QString() : folder + u'/' + name;
}

bool IsFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The service's picture in the frame the skin has for it: centred, cut where it is larger, and
// on its own edge colour where it is smaller, so the skin's empty frame never shows around it.
QImage Framed(const QImage& picture, QSize frame) {
    const QRgb edge = picture.pixel(0, picture.height() / 2);
    QImage framed(frame, QImage::Format_RGB32);
    framed.fill(edge == kSkinColorKey ? QColor(Qt::black) : QColor(edge));
    QPainter painter(&framed);
    const QPoint corner((frame.width() - picture.width()) / 2,
                        (frame.height() - picture.height()) / 2);
    painter.drawImage(corner, WithKeyTransparent(picture, kSkinColorKey));
    return framed;
}

}  // namespace

ProgramLinks::ProgramLinks(QWidget* face, Program& program) : QObject(face), program_(program) {
    constexpr StringId kNames[] = {StringId::kProgramHomePage, StringId::kProgramBoard,
                                   StringId::kEvents};
    for (size_t index = 0; index < links_.size(); ++index) {
        links_[index] = new CSkinButton(face);
        links_[index]->setAccessibleName(StringTable::Load(kNames[index]));
        links_[index]->hide();
        connect(links_[index], &CSkinButton::clicked, this,
                [this, index] { OnClicked(static_cast<int>(index)); });
    }
}

void ProgramLinks::Reload() {
    const QString code = program_.player.OnAir().programCode;
    const auto downloaded = BitmapFileCache::Formats::Downloaded;
    Place(*links_[0], kLinkKeys[0], WorkFile(code + QStringLiteral("_1.bmp")), downloaded);
    Place(*links_[1], kLinkKeys[1], WorkFile(code + QStringLiteral("_2.bmp")), downloaded);
    PlaceBanner(WorkFile(QStringLiteral("event.bmp")));
}

void ProgramLinks::Hide() {
    for (CSkinButton* link : links_) {
        link->hide();
    }
}

bool ProgramLinks::IsShown() const {
    return links_[0]->isVisible();
}

// Without its key in the skin a link is left as it is; with it, it shows the image when there is
// one and is hidden otherwise.
void ProgramLinks::Place(CSkinButton& link, const char* key, const QString& imagePath,
                         BitmapFileCache::Formats formats) {
    // x, y and, in newer skins, the frame's width and height
    int32_t place[4] = {};
    const bool hasFrame = program_.skin.GetKeyValues(key, place, 4) != 0;
    if (!hasFrame && program_.skin.GetKeyValues(key, place, 2) == 0) {
        return;
    }
    link.SetState(CSkinButton::kRemoved);
    if (IsFile(imagePath)) {
        link.SetTransparentColor(kSkinColorKey);
        QImage image = BitmapFileCache::Load(imagePath, formats);
        // a frame can be no larger than the face, whatever a skin says
        const QSize frame =
            hasFrame ? QSize(place[2], place[3]).boundedTo(link.parentWidget()->size()) : QSize();
        // the skin's own picture is drawn for its place; only the service's are framed
        if (formats == BitmapFileCache::Formats::Downloaded && !image.isNull() &&
            !frame.isEmpty()) {
            image = Framed(image, frame);
        }
        link.SetBitmaps(image, image, QImage(), CSkinButton::Kind::PushButton, true);
        link.move(place[0], place[1]);
        link.show();
    }
    link.update();
}

void ProgramLinks::PlaceBanner(const QString& imagePath) {
    const QString placeholder = program_.skin.FilePath(QStringLiteral("/event_null.bmp"));
    if (IsFile(imagePath) || !IsFile(placeholder)) {
        Place(*links_[2], kLinkKeys[2], imagePath, BitmapFileCache::Formats::Downloaded);
        return;
    }
    // without an event the banner shows the skin's own picture, which leads to the main site
    int32_t point[2] = {};
    if (program_.skin.GetKeyValues(kLinkKeys[2], point, 2) != 0) {
        program_.player.SetEventLink(program_.config.mainSite);
    }
    Place(*links_[2], kLinkKeys[2], placeholder, BitmapFileCache::Formats::SkinBitmap);
}

void ProgramLinks::OnClicked(int index) {
    const AppState& state = program_.player.OnAir();
    const QString& address = index == 0 ? state.link1 : index == 1 ? state.link2 : state.eventLink;
    if (!address.isEmpty()) {
        emit openRequested(address);
    }
}
