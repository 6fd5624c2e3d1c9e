#include "windows/TickerRule.h"

#include "content/AppState.h"
#include "platform/StringTable.h"
#include "skin/CTickerCtrl.h"

TickerRule::TickerRule(CTickerCtrl& ticker, const AppState& state, QObject* parent)
    : QObject(parent), ticker_(ticker), state_(state) {}

void TickerRule::Set(const QString& text, const QString& link) {
    QString currentLink;
    const QString currentText = ticker_.GetLastItem(&currentLink);
    if (text.compare(currentText, Qt::CaseInsensitive) == 0) {
        if (link.compare(currentLink, Qt::CaseInsensitive) != 0) {
            Change(text, link);
        }
        return;
    }
    if (text.isEmpty()) {
        const bool known = !state_.scrollText.isEmpty();
        const QString newText =
            known ? state_.scrollText : StringTable::Load(StringId::kServiceName);
        const QString newLink = known ? state_.scrollLink : QString();
        if (newText != currentText) {
            Change(newText, newLink);
        }
        return;
    }
    Change(text, link);
}

void TickerRule::ShowConnecting() {
    Set(StringTable::Load(StringId::kConnecting), QString());
}

void TickerRule::ShowReconnecting() {
    Set(StringTable::Load(StringId::kReconnecting), QString());
}

bool TickerRule::IsShowingConnecting() const {
    const QString shown = ticker_.GetLastItem();
    return shown == StringTable::Load(StringId::kConnecting) ||
           shown == StringTable::Load(StringId::kReconnecting);
}

void TickerRule::ShowProgram() {
    Set(state_.scrollText, state_.scrollLink);
}

void TickerRule::ShowServiceName() {
    Set(StringTable::Load(StringId::kServiceName), QString());
}

QString TickerRule::Text() const {
    return ticker_.GetLastItem();
}

QString TickerRule::Link() const {
    QString link;
    ticker_.GetLastItem(&link);
    return link;
}

void TickerRule::Change(const QString& text, const QString& link) {
    ticker_.Clear();
    ticker_.AddItem(text, link);
    ticker_.Start(true);
    emit changed(text, link);
}
