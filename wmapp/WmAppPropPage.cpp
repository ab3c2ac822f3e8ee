#include "wmapp/WmAppPropPage.h"

#include "platform/ResourceChain.h"

WmAppPropPage::WmAppPropPage(unsigned captionStringId, QWidget* parent)
    : QWidget(parent), WmDialogBase(this), m_captionStringId(captionStringId) {
    SetCaption(ResourceChain::Instance().LoadString(captionStringId));
}

WmAppPropPage::~WmAppPropPage() = default;

bool WmAppPropPage::EnsureInitialized() {
    if (m_initialized) return true;
    m_initialized = true;
    return OnInitDialog();
}

bool WmAppPropPage::OnSetActive() {
    EnsureInitialized();
    if (m_target) m_target->PostWindowMessage(WM_UPDATE_PAGE, 0, 0);
    return true;
}

bool WmAppPropPage::OnInitDialog() {
    return true;
}
