#pragma once
// The Profile Management page: the stored profiles and their management. Its controls join in a later step; until then it shows nothing and a refresh has nothing to redraw.
#include "wmapp/WmAppPropPage.h"

class WmConfigurationPage : public WmAppPropPage {
    Q_OBJECT
public:
    static constexpr unsigned IDS_CAPTION = 2290;

    explicit WmConfigurationPage(QWidget* parent = nullptr);
    ~WmConfigurationPage() override;

    void RefreshPage() override;
};
