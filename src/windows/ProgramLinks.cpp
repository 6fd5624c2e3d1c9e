#include "windows/ProgramLinks.h"

#include <QFileInfo>

#include "content/Program.h"
#include "content/WorkFolder.h"
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

}  // namespace

ProgramLinks::ProgramLinks(QWidget* face, Program& program) : QObject(face), program_(program) {
    for (size_t index = 0; index < links_.size(); ++index) {
        links_[index] = new CSkinButton(face);
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
    int32_t point[2] = {};
    if (program_.skin.GetKeyValues(key, point, 2) == 0) {
        return;
    }
    link.SetState(CSkinButton::kRemoved);
    if (IsFile(imagePath)) {
        link.SetTransparentColor(kSkinColorKey);
        const QImage image = BitmapFileCache::Load(imagePath, formats);
        link.SetBitmaps(image, image, QImage(), CSkinButton::Kind::PushButton, true);
        link.move(point[0], point[1]);
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
