#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>

class QWidget;

// What the tests of the skinned dialogs share: the shipped skins, copies of them with a key or a
// file taken away, a modal dialog driven while it runs, and clicks with the real pointer.
namespace DialogTestKit {

// "./Skins/Quilo2" and "./Skins/Midnight" stand for the shipped skins.
void LinkShippedSkins();
// A copy of a shipped skin under "./Skins/<name>", without the given keys and files, and with
// the lines of the keys in `setLines` replaced by theirs.
void MakeVariantSkin(const QString& from, const QString& name, const QList<QByteArray>& dropKeys,
                     const QStringList& dropFiles,
                     const std::map<QByteArray, QByteArray>& setLines = {});

// Clicks the middle of the control with the real pointer.
bool RealClickOn(const QWidget& control);

// Calls `act` once a modal dialog of type T is on screen and active.
template <class T>
void WhenModal(QObject* context, const std::function<void(T&)>& act) {
    auto* watch = new QTimer(context);
    QObject::connect(watch, &QTimer::timeout, context, [watch, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isActiveWindow()) {
            watch->stop();
            watch->deleteLater();
            act(*dialog);
        }
    });
    watch->start(10);
}

}  // namespace DialogTestKit
