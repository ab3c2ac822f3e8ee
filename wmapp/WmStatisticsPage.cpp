#include "wmapp/WmStatisticsPage.h"

WmStatisticsPage::WmStatisticsPage(QWidget* parent) : WmAppPropPage(IDS_CAPTION, parent) {}

WmStatisticsPage::~WmStatisticsPage() = default;

void WmStatisticsPage::RefreshPage() {
    EnsureInitialized();
}
