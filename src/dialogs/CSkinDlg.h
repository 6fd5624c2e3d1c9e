#pragma once

#include <QString>
#include <QTimer>

#include "skin/CSkinDialog.h"

class CSkinButton;
class Program;
class QListWidget;

// The skin chooser: every folder under "./Skins/" as a large icon with the skin's thumbnail, the
// current skin selected. A double-click wears the skin at once (the owner applies it through
// changeSkin) and the chooser takes the new skin's look; OK hands the selected name back to the
// caller, who applies it; Cancel, Enter and Escape choose nothing, and a skin already worn by a
// double-click stays on.
class CSkinDlg : public CSkinDialog {
    Q_OBJECT

public:
    // `owner` is the face the chooser opens beside (the main face, or the mini face while that is
    // in use).
    CSkinDlg(Program& program, QWidget* owner);

    // Without the current skin's "skin_bg.bmp" the listener is told the files are missing and the
    // dialog ends as cancelled at once.
    int exec() override;

    // True when OK was pressed with an item selected; the chosen name is then that item's text.
    bool IsConfirmed() const { return confirmed_; }
    // The item taken by OK or by the last double-click.
    const QString& ChosenName() const { return chosenName_; }

    // The list's content moves down by the list's height once, a second after opening; the
    // items stand where they stay from then on.
    bool HasSettled() const { return !scrollTimer_.isActive(); }
    QListWidget& List() const { return *list_; }
    CSkinButton& OkButton() const { return *okButton_; }
    CSkinButton& CancelButton() const { return *cancelButton_; }

signals:
    // A double-click asks the owner to wear the skin now; the owner has applied it (or kept the
    // old skin and said why) when the call returns.
    void changeSkin(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void PlaceBeside(const QWidget* owner);
    void PlaceList();
    void FillList();
    void SelectCurrentSkin();
    void PlaceButtons();
    void ScrollAfterOpening();
    void OnItemDoubleClicked();
    void OnOk();
    void OnCancel();
    QString SelectedName() const;

    Program& program_;
    QListWidget* list_;
    CSkinButton* okButton_;
    CSkinButton* cancelButton_;
    // once, a second after opening: the list's content moves down by the list's height
    QTimer scrollTimer_;
    QString chosenName_;
    // the list position of the current skin's item, selected at opening; -1 for none
    int openingSelection_ = -1;
    int listHeight_ = 0;
    // the first click into the list clears the opening selection
    bool firstClickPending_ = true;
    bool confirmed_ = false;
};
