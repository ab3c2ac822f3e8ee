#pragma once
// Base of the main window's pages. A page that becomes active asks the window to update it
// (WM_APP+30 with WPARAM 0), and every page redraws itself from the adapter context in RefreshPage.
#include <QWidget>

#include "platform/WindowMessage.h"
#include "wmapp/WmDialogBase.h"

class WmAppPropPage : public QWidget, public WmDialogBase {
    Q_OBJECT
public:
    static constexpr unsigned WM_UPDATE_PAGE = WM_APP + 30;

    // The caption comes from the string table by number (the tab's text).
    explicit WmAppPropPage(unsigned captionStringId, QWidget* parent = nullptr);
    ~WmAppPropPage() override;

    unsigned CaptionStringId() const { return m_captionStringId; }

    // The window that is told when this page becomes active; null tells nobody.
    void SetNotifyTarget(WindowMessageTarget* target) { m_target = target; }
    WindowMessageTarget* NotifyTarget() const { return m_target; }

    // Runs OnInitDialog once, the first time the page is needed.
    bool EnsureInitialized();
    bool IsInitialized() const { return m_initialized; }

    // The window calls this when the page becomes the active one: posts the update request.
    virtual bool OnSetActive();

    // Redraws the page from the monitor and the adapter context.
    virtual void RefreshPage() = 0;

protected:
    // Builds the page's contents; the caption is already set. Returns true.
    virtual bool OnInitDialog();

private:
    unsigned m_captionStringId;
    WindowMessageTarget* m_target = nullptr;
    bool m_initialized = false;
};
