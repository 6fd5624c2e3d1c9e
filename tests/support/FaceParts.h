#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QObject>
#include <QWidget>
#include <cstdlib>

#include "skin/CSkinButton.h"
#include "windows/CMiniDlg.h"
#include "windows/SkinLayout.h"

// A face's parts as a test reaches them from outside, the way accessibility tools do: a part is
// the face's one direct child of its type, a button the child named for its key in the skin.
namespace FaceParts {

template <class Part>
Part& Only(const QObject& face) {
    const QList<Part*> found = face.findChildren<Part*>(Qt::FindDirectChildrenOnly);
    if (found.size() != 1) {
        ADD_FAILURE() << "the face has " << found.size() << " parts of the asked type";
        std::abort();
    }
    return *found.front();
}

inline CSkinButton* Button(const QObject& face, FaceButton button) {
    for (const ButtonKey& key : SkinLayout::MainButtons()) {
        if (key.button == button) {
            return face.findChild<CSkinButton*>(QLatin1String(key.key), Qt::FindDirectChildrenOnly);
        }
    }
    return nullptr;
}

// The mini face, once the main face has opened one.
inline CMiniDlg* Mini() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* mini = qobject_cast<CMiniDlg*>(window)) {
            return mini;
        }
    }
    return nullptr;
}

}  // namespace FaceParts
