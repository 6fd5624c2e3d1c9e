#include "dialogs/CSkinDlg.h"

#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>

#include "content/Program.h"
#include "dialogs/DialogSkin.h"
#include "dialogs/SkinThumbnail.h"
#include "platform/MessageBox.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"

namespace {

constexpr int kScrollDelayMs = 1000;
const char kBackground[] = "/skin_bg.bmp";

// Ascending by name as the listener reads them: case does not set "Zed" before "alpha".
QStringList SkinFolderNames() {
    QStringList names =
        QDir(QStringLiteral("./Skins")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::stable_sort(names.begin(), names.end(), [](const QString& left, const QString& right) {
        return left.compare(right, Qt::CaseInsensitive) < 0;
    });
    return names;
}

}  // namespace

CSkinDlg::CSkinDlg(Program& program, QWidget* owner) : CSkinDialog(owner), program_(program) {
    setWindowTitle(QStringLiteral("Quilo"));
    CreateControls();
    if (!LoadBackground(program_.skin.FilePath(QLatin1String(kBackground)))) {
        return;
    }
    PlaceBeside(owner);
    SetColorKeyTransparency(kSkinColorKey, true);
    PlaceList();
    FillList();
    PlaceButtons();
    scrollTimer_.setSingleShot(true);
    connect(&scrollTimer_, &QTimer::timeout, this, &CSkinDlg::ScrollAfterOpening);
    scrollTimer_.start(kScrollDelayMs);
}

int CSkinDlg::exec() {
    if (!HasBackground()) {
        ShowMessage(parentWidget(), StringId::kFilesMissing, MessageIcon::Error);
        return Rejected;
    }
    return CSkinDialog::exec();
}

void CSkinDlg::CreateControls() {
    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setIconSize(QSize(SkinThumbnail::kSide, SkinThumbnail::kSide));
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWordWrap(true);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->hide();
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CSkinDlg::OnItemDoubleClicked);
    okButton_ = new CSkinButton(this);
    cancelButton_ = new CSkinButton(this);
    SetAccessibleNames({{list_, StringId::kSkinList},
                        {okButton_, StringId::kOk},
                        {cancelButton_, StringId::kCancel}});
    connect(okButton_, &CSkinButton::clicked, this, &CSkinDlg::OnOk);
    connect(cancelButton_, &CSkinButton::clicked, this, &CSkinDlg::OnCancel);
}

// To the right of the owner, tops level, kept on the screen.
void CSkinDlg::PlaceBeside(const QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    const QRect beside = owner->frameGeometry();
    move(ClampToScreen(QPoint(beside.x() + beside.width(), beside.y()), size()));
}

void CSkinDlg::PlaceList() {
    if (const std::optional<QRect> area = DialogSkin::Area(program_.skin, "[SKIN_LIST]")) {
        list_->setGeometry(*area);
        list_->show();
        listHeight_ = area->height();
    } else {
        list_->hide();
    }
    if (const std::optional<QColor> color = DialogSkin::Color(program_.skin, "[SKIN_LIST_COL]")) {
        QPalette colors = list_->palette();
        colors.setColor(QPalette::Base, *color);
        colors.setColor(QPalette::Window, *color);
        list_->setPalette(colors);
    }
}

// Every folder is a choice, complete skin or not: a broken one fails when it is worn.
void CSkinDlg::FillList() {
    for (const QString& name : SkinFolderNames()) {
        const QImage thumbnail = SkinThumbnail::ForFolder(QStringLiteral("./Skins/") + name);
        list_->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), name));
    }
    SelectCurrentSkin();
}

void CSkinDlg::SelectCurrentSkin() {
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->text().compare(program_.skin.Name(), Qt::CaseInsensitive) == 0) {
            list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            openingSelection_ = row;
            return;
        }
    }
}

void CSkinDlg::PlaceButtons() {
    DialogSkin::PlaceButton(*okButton_, program_.skin, "[SKIN_OK]", "/skin_btn_ok");
    DialogSkin::PlaceButton(*cancelButton_, program_.skin, "[SKIN_CANCEL]", "/skin_btn_cancel");
}

void CSkinDlg::ScrollAfterOpening() {
    QScrollBar* scroll = list_->verticalScrollBar();
    scroll->setValue(scroll->value() + listHeight_);
}

void CSkinDlg::OnItemDoubleClicked() {
    const QString name = SelectedName();
    if (name.isEmpty()) {
        return;
    }
    chosenName_ = name;
    emit changeSkin(name);
    // the chooser now wears the skin the owner wears, whichever that is: the new one, or the old
    // one when the new one could not be worn. It stays where it is; the items stay.
    if (LoadBackground(program_.skin.FilePath(QLatin1String(kBackground)))) {
        SetColorKeyTransparency(kSkinColorKey, true);
    }
    PlaceList();
    PlaceButtons();
}

void CSkinDlg::OnOk() {
    const QString name = SelectedName();
    confirmed_ = !name.isEmpty();
    if (confirmed_) {
        chosenName_ = name;
    }
    accept();
}

void CSkinDlg::OnCancel() {
    confirmed_ = false;
    reject();
}

QString CSkinDlg::SelectedName() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? QString() : selected.last()->text();
}

// The first click into the list takes the opening selection away, wherever it lands.
bool CSkinDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress &&
        firstClickPending_) {
        firstClickPending_ = false;
        if (openingSelection_ >= 0) {
            list_->item(openingSelection_)->setSelected(false);
            list_->setCurrentItem(nullptr);
        }
    }
    return CSkinDialog::eventFilter(watched, event);
}

// Enter and Escape close the chooser without a choice.
void CSkinDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirmed_ = false;
        accept();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}
