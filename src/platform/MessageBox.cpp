#include "platform/MessageBox.h"

#include <QMessageBox>

#include "platform/StringTable.h"

namespace {
MessageAnswerer& Answerer() {
    static MessageAnswerer answerer;
    return answerer;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

int ToAnswer(int qtButton) {
    switch (qtButton) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}
}  // namespace

int ShowMessage(QWidget* parent, int stringId, MessageIcon icon, MessageButtons buttons) {
    const QString text = StringTable::Load(stringId);
    if (Answerer()) {
        return Answerer()(stringId, text);
    }
    QMessageBox box(ToQtIcon(icon), QStringLiteral("Quilo"), text, QMessageBox::NoButton, parent);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    return ToAnswer(box.exec());
}

void SetMessageAnswerer(MessageAnswerer answerer) {
    Answerer() = std::move(answerer);
}
