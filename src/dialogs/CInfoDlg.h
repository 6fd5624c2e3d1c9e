#pragma once

#include <QColor>
#include <QPointer>
#include <QTimer>

#include "skin/CSkinDialog.h"

class CSkinButton;
class CSkinEdit;
class CSkinStatic;
class Program;

// The title and description of the program on air in a small skinned window beside the player.
// Modeless and deleted when closed, which only its close button does (Enter and Escape do not).
// It takes the program once, just after opening; a later program does not change it.
class CInfoDlg : public CSkinDialog {
    Q_OBJECT

public:
    // `owner` keeps the dialog (the main window); `placing` is the face it opens beside, on its
    // left (the main face, or the mini face while that is in use).
    CInfoDlg(Program& program, QWidget* owner, QWidget* placing);

    // Shows the dialog. Without the current skin's "info_bg.bmp" the listener is told the files
    // are missing, nothing shows and the dialog deletes itself; false then.
    bool Open();

    CSkinStatic& Title() const { return *title_; }
    CSkinEdit& Description() const { return *description_; }
    CSkinButton& CloseButton() const { return *closeButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void PlaceBeside();
    void PlaceControls();
    void ShowProgram();

    Program& program_;
    QPointer<QWidget> placing_;
    CSkinStatic* title_;
    CSkinEdit* description_;
    CSkinButton* closeButton_;
    QColor titleColor_ = Qt::black;
    // once, right after opening: the program's title and description
    QTimer contentTimer_;
};
