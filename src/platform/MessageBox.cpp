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
        case MessageIcon::NoIcon:
            return QMessageBox::NoIcon;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer ToAnswer(int qtButton) {
    switch (qtButton) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
    }
}
}  // namespace

MessageAnswer ShowMessage(QWidget* parent, StringId stringId, MessageIcon icon,
                          MessageButtons buttons) {
    return ShowMessageText(parent, stringId, StringTable::Load(stringId), icon, buttons);
}

MessageAnswer ShowMessageText(QWidget* parent, StringId stringId, const QString& text,
                              MessageIcon icon, MessageButtons buttons) {
    if (Answerer()) {
        return Answerer()(stringId, text);
    }
    QMessageBox box(ToQtIcon(icon), QStringLiteral("Quilo"), text, QMessageBox::NoButton, parent);
    // texts may come from the server (the update question): never markup, never a link
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
    }
    box.exec();
    if (box.clickedButton() == nullptr) {
        // closed without an answer: the cautious one
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    return ToAnswer(box.standardButton(box.clickedButton()));
}

void SetMessageAnswerer(MessageAnswerer answerer) {
    Answerer() = std::move(answerer);
}
