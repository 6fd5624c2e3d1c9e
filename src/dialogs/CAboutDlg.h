#pragma once

#include <QRect>

#include "skin/CSkinDialog.h"

class CSkinButton;
class CSkinStatic;
class CWebLauncher;
class Program;

// The program's version and a link to the service's web site, beside the player. It wears the
// skin's "about_bg.bmp" and "[ABOUT_...]" keys when the skin has that bitmap, and a built-in look
// of 260 × 196 otherwise. A press on the link area moves the window like any press on the face
// and, once the button is released, opens the site with the listener logged in.
class CAboutDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr QSize kBuiltInSize{260, 196};

    // `owner` is the face the dialog opens beside, on its right.
    CAboutDlg(Program& program, const CWebLauncher& web, QWidget* owner);

    bool IsSkinned() const { return skinned_; }
    // Empty when the skin has no link.
    const QRect& LinkArea() const { return linkArea_; }
    CSkinStatic& VersionLabel() const { return *versionLabel_; }
    CSkinButton& OkButton() const { return *okButton_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    void PlaceBeside(const QWidget* owner);
    void ShowVersionText();
    void PlaceSkinnedControls();
    void PlaceBuiltInControls();

    Program& program_;
    const CWebLauncher& web_;
    CSkinStatic* versionLabel_;
    CSkinButton* okButton_;
    QRect linkArea_;
    bool skinned_ = false;
    // the left button went down on the link area and is not up yet
    bool pressedOnLink_ = false;
};
