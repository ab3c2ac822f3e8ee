#pragma once
// The program's main window: a dialog holding the property sheet's tab widget, run modally by
// start-up. It receives every private and registered message of the program. Hidden at start
// when the program runs without its window; a later start (WM_APP+110) shows and raises it.
#include "platform/WindowMessage.h"

#include <QDialog>
#include <QStringList>

class QTabWidget;

class WmAppPropSheet : public QDialog, public WindowMessageTarget {
    Q_OBJECT
public:
    static constexpr unsigned WM_UPDATE_PAGE = WM_APP + 30;
    static constexpr unsigned WM_PROFILES_CHANGED = WM_APP + 80;
    static constexpr unsigned WM_LAUNCH_APP = WM_APP + 110;
    static unsigned AdapterStatusEventMessage();

    WmAppPropSheet(const QString& caption, QWidget* parent = nullptr, int selectPage = 0);
    ~WmAppPropSheet() override;

    QTabWidget* Sheet() const { return m_tabs; }

    void SetShowAtStart(bool show) { m_showAtStart = show; }
    bool ShowAtStart() const { return m_showAtStart; }
    bool WindowShown() const { return m_shown; }

    // Runs the window until it is closed: shown or hidden as the show-at-start flag says.
    // Returns the dialog's result.
    int RunModal();

    void SetWindowShowState(bool show);
    void OnTrayLaunchApp();
    // Takes one adapter event text (valid during the call). Returns 0.
    intptr_t OnAdapterStatusEvent(const char* text);
    // The texts taken so far, oldest first.
    const QStringList& EventTexts() const { return m_eventTexts; }

    intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) override;

protected:
    // Hooks for the sheet's pages, filled in as they arrive.
    virtual void OnUpdatePage(uintptr_t wParam);
    virtual void OnProfilesChanged();

    bool event(QEvent* event) override;
    void done(int result) override;

private:
    QTabWidget* m_tabs;
    int m_selectPage;
    bool m_showAtStart = true;
    bool m_shown = true;
    QStringList m_eventTexts;
};
