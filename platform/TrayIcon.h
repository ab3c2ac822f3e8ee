#pragma once
// The notification-area icon: picture, tooltip, context menu and clicks. The real one stands on
// QSystemTrayIcon; FakeTrayIcon records everything for tests and for the screenshot tool, since
// a display without a tray (offscreen) shows nothing.
#include <QIcon>
#include <QString>

#include <functional>
#include <memory>

class QMenu;

class TrayIcon {
public:
    enum class Activation { Context, DoubleClick, Trigger, MiddleClick };
    using ActivationHandler = std::function<void(Activation)>;

    virtual ~TrayIcon();

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;
    virtual void SetPicture(const QIcon& icon) = 0;
    virtual void SetTooltip(const QString& text) = 0;
    // The menu offered on a right click (not owned; may be null). Its aboutToShow signal is the
    // moment to fill it.
    virtual void SetMenu(QMenu* menu) = 0;
    virtual void SetActivationHandler(ActivationHandler handler) = 0;

    // The icon on QSystemTrayIcon.
    static std::unique_ptr<TrayIcon> Create();
};
