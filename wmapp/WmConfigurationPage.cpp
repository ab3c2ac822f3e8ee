#include "wmapp/WmConfigurationPage.h"

WmConfigurationPage::WmConfigurationPage(QWidget* parent) : WmAppPropPage(IDS_CAPTION, parent) {}

WmConfigurationPage::~WmConfigurationPage() = default;

void WmConfigurationPage::RefreshPage() {
    EnsureInitialized();
}
