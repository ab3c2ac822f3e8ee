#include "wmapp/WmTitle.h"

#include "platform/ResourceChain.h"
#include "wmapp/WmStatusSource.h"
#include "wmapp/WmTrace.h"

namespace {
constexpr unsigned IDS_CAPTION = 8102;
constexpr unsigned IDS_CURRENT_PROFILE = 115;
constexpr unsigned IDS_DISABLED = 2204;
}  // namespace

QString WmTitle::Build(const QString& profileName, std::optional<bool> disabled) {
    const ResourceChain& chain = ResourceChain::Instance();
    QString title = chain.LoadString(IDS_CAPTION) + chain.LoadString(IDS_CURRENT_PROFILE) + profileName;
    if (!disabled)
        TracePrint("WmAppPropSheet::TitleBarTimer(): Failed to get disable status\n");
    else if (*disabled)
        title += chain.LoadString(IDS_DISABLED);
    return title;
}

QString WmTitle::Build(WmStatusSource& source) {
    std::string name;
    if (!source.GetActiveProfileName(name) || name.empty()) return Build(QString(), false);
    bool disabled = false;
    std::optional<bool> known;
    if (source.IsProfileDisabled(name, disabled)) known = disabled;
    return Build(QString::fromStdString(name), known);
}

bool WmTitle::Update(const QString& title) {
    if (title.compare(m_last, Qt::CaseInsensitive) == 0) return false;
    m_last = title;
    return true;
}
