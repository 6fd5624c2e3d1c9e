#pragma once

#include <QString>

#include <array>

// The three web sites the station stands in for.
enum class Site { Web, Main, Sso };

inline constexpr std::array<Site, 3> kAllSites = {Site::Web, Site::Main, Site::Sso};

inline QString SiteName(Site site) {
    switch (site) {
        case Site::Web:
            return QStringLiteral("web");
        case Site::Main:
            return QStringLiteral("main");
        case Site::Sso:
            return QStringLiteral("sso");
    }
    return {};
}
