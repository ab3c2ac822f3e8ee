#include "wmapp/WmAppPropSheet.h"

#include "wmapp/WmTrace.h"

#include <QEventLoop>
#include <QFile>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>

unsigned WmAppPropSheet::AdapterStatusEventMessage() {
    static const unsigned message = RegisterWindowMessage("AdapterStatusEvent");
    return message;
}

WmAppPropSheet::WmAppPropSheet(const QString& caption, QWidget* parent, int selectPage)
    : QDialog(parent), WindowMessageTarget(this), m_tabs(new QTabWidget(this)), m_selectPage(selectPage) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
}

WmAppPropSheet::~WmAppPropSheet() { CloseWindowMessages(); }

int WmAppPropSheet::RunModal() {
    if (m_selectPage >= 0 && m_selectPage < m_tabs->count()) m_tabs->setCurrentIndex(m_selectPage);
    setModal(true);
    SetWindowShowState(m_showAtStart);
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    if (!WindowMessagesClosed()) loop.exec(QEventLoop::DialogExec);
    return result();
}

void WmAppPropSheet::SetWindowShowState(bool show) {
    m_shown = show;
    setEnabled(true);
    if (show) {
        TracePrint("WmAppPropSheet::SetWindowShowState,  ShowMainWindow = true\n");
        showNormal();
    } else {
        TracePrint("WmAppPropSheet::SetWindowShowState,  ShowMainWindow = false\n");
        hide();
    }
}

void WmAppPropSheet::OnTrayLaunchApp() {
    TracePrint("WmAppPropSheet::OnTrayLaunchApp Launching WmApp\n");
    SetWindowShowState(true);
    raise();
    activateWindow();
}

intptr_t WmAppPropSheet::OnAdapterStatusEvent(const char* text) {
    const QString line = QString::fromUtf8(text ? text : "");
    m_eventTexts.append(line);
    // For runs without anyone at the screen: every text also goes to this file.
    if (const char* log = std::getenv("ZELVO_EVENTS_LOG"); log && *log) {
        QFile file(QString::fromLocal8Bit(log));
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write((line + QLatin1Char('\n')).toUtf8());
    }
    return 0;
}

void WmAppPropSheet::OnUpdatePage(uintptr_t wParam) {
    if (wParam == 1) TracePrint("WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again \n");
}

void WmAppPropSheet::OnProfilesChanged() { TracePrint("WmAppPropSheet::OnProfilesChanged()\n"); }

intptr_t WmAppPropSheet::OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t) {
    if (message == AdapterStatusEventMessage()) return OnAdapterStatusEvent(reinterpret_cast<const char*>(wParam));
    switch (message) {
    case WM_UPDATE_PAGE: OnUpdatePage(wParam); return 0;
    case WM_PROFILES_CHANGED: OnProfilesChanged(); return 0;
    case WM_LAUNCH_APP: OnTrayLaunchApp(); return 0;
    default: return 0;
    }
}

bool WmAppPropSheet::event(QEvent* event) {
    if (HandleWindowMessageEvent(event)) return true;
    return QDialog::event(event);
}

void WmAppPropSheet::done(int result) {
    // From here on no thread may post or send to this window.
    CloseWindowMessages();
    QDialog::done(result);
}
