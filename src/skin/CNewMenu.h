#pragma once

#include <QColor>
#include <QIcon>
#include <QMenu>
#include <QRgb>
#include <QSize>
#include <QString>
#include <map>
#include <vector>

// A strip of equally sized command images, one per command in order (0 for a gap), on a
// background of a see-through colour. A command is the number an item carries as its data.
struct MenuToolbar {
    QString bitmapPath;
    QSize imageSize;
    std::vector<int> commandIds;
    QRgb colorKey;
};

// A pop-up menu drawn by the program: a title strip in the skin's menu colour (at the side,
// reading upwards, when the title flags ask for it), small command images from a toolbar, greyed
// items and separators. Items are addressed by position, as they were inserted. An item is a
// QAction: choosing it triggers it.
class CNewMenu : public QMenu {
    Q_OBJECT

public:
    // item flags
    static constexpr unsigned kGrayed = 0x1;
    static constexpr unsigned kByPosition = 0x400;
    static constexpr unsigned kSeparator = 0x800;
    // title flags
    static constexpr unsigned kTitleShown = 0x1;
    static constexpr unsigned kTitleAtSide = 0x2;
    static constexpr unsigned kTitleGradient = 0x4;
    static constexpr unsigned kTitleWider = 0x10;
    static constexpr unsigned kTitleRounded = 0x20;

    explicit CNewMenu(QWidget* parent = nullptr);

    // Inserts an item (or a separator) before `position`; a position past the end appends.
    // The item's image is the one loaded for its command id, if any.
    bool InsertMenu(int position, unsigned flags, int commandId = 0, const QString& text = {});
    // Inserts an action its owner keeps (and connects), with the image loaded for its command.
    void InsertAction(int position, QAction* action);
    // The title strip's colour (the window system's caption colour unless set).
    void SetMenuTitleColor(QColor color);
    QColor MenuTitleColor() const { return titleColor_; }
    // Makes the first item, a separator (inserted when the first item is something else), the
    // holder of the title.
    bool SetMenuTitle(const QString& text, unsigned titleFlags);
    QString MenuTitle() const { return title_; }
    unsigned MenuTitleFlags() const { return titleFlags_; }
    // Gives every item whose command id is in the toolbar that image. False when the bitmap
    // cannot be loaded.
    bool LoadToolBar(const MenuToolbar& toolbar);

    // Shows the menu at `at` until the listener chooses or dismisses it; the chosen item (which
    // has been triggered), or null.
    QAction* TrackPopupMenu(const QPoint& at);

    int MenuItemCount() const { return static_cast<int>(actions().size()); }
    QAction* ItemAt(int position) const;
    static int CommandOf(const QAction* item);
    bool IsTitleHolder(const QAction* item) const {
        return item != nullptr && item == titleHolder_;
    }

    // The colour the gradient title runs into: mostly the window colour, a little of the menu's.
    QColor TitleBlendColor() const;
    // Where the title strip is drawn (empty without a title).
    QRect TitleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ReserveTitleSpace();
    void PaintTitle(QPainter& painter) const;
    QIcon IconFor(int commandId) const;

    QColor titleColor_;
    QString title_;
    unsigned titleFlags_ = 0;
    QAction* titleHolder_ = nullptr;
    int titleThickness_ = 0;
    std::map<int, QIcon> iconsByCommand_;
};
