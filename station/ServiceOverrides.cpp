#include "ServiceOverrides.h"

ServiceOverrides::ServiceOverrides(Update initialUpdate)
    : initialUpdate_(initialUpdate), update_(std::move(initialUpdate)) {}

void ServiceOverrides::SetTickerWindow(std::optional<TickerWindow> window) {
    std::lock_guard lock(mutex_);
    ticker_ = std::move(window);
}

std::optional<ServiceOverrides::TickerWindow> ServiceOverrides::Ticker() const {
    std::lock_guard lock(mutex_);
    return ticker_;
}

void ServiceOverrides::SetUpdate(Update update) {
    std::lock_guard lock(mutex_);
    update_ = std::move(update);
}

ServiceOverrides::Update ServiceOverrides::CurrentUpdate() const {
    std::lock_guard lock(mutex_);
    return update_;
}

void ServiceOverrides::Clear() {
    std::lock_guard lock(mutex_);
    ticker_.reset();
    update_ = initialUpdate_;
}
