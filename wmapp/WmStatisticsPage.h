#pragma once
// The Diagnostics page: the adapter's transmit and receive counters. Its controls join in a later step; until then it shows nothing and a refresh has nothing to redraw.
#include "wmapp/WmAppPropPage.h"

class WmStatisticsPage : public WmAppPropPage {
    Q_OBJECT
public:
    static constexpr unsigned IDS_CAPTION = 2390;

    explicit WmStatisticsPage(QWidget* parent = nullptr);
    ~WmStatisticsPage() override;

    void RefreshPage() override;
};
