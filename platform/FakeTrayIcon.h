#pragma once
// A tray icon that shows nothing and records every change: shown state, pictures, tooltips and
// the menus it offered. Clicks and the menu's opening are played from outside.
#include <QImage>
#include <QStringList>

#include <vector>

#include "platform/TrayIcon.h"

class FakeTrayIcon : public TrayIcon {
public:
    struct Change {
        enum class Kind { Show, Hide, Picture, Tooltip, Menu };
        Kind kind;
        QImage picture;  // Picture: the icon at 16 pixels (null for an empty icon)
        QString text;    // Tooltip
    };

    void Show() override;
    void Hide() override;
    bool IsShown() const override { return m_shown; }
    void SetPicture(const QIcon& icon) override;
    void SetTooltip(const QString& text) override;
    void SetMenu(QMenu* menu) override;
    void SetActivationHandler(ActivationHandler handler) override { m_handler = std::move(handler); }

    // Plays a click on the icon.
    void Activate(Activation activation);
    // Opens the menu as a right click would (its aboutToShow runs) and records its contents:
    // one line per item, "-" for a separator, submenus indented by two blanks, with "[x]" for a
    // checked item, "(off)" for a grayed one and "*" for the default item.
    QStringList OpenMenu();

    const std::vector<Change>& Changes() const { return m_changes; }
    QIcon Picture() const { return m_picture; }
    QString Tooltip() const { return m_tooltip; }
    QMenu* Menu() const { return m_menu; }
    static QStringList Describe(const QMenu* menu, const QString& indent = QString());

private:
    bool m_shown = false;
    QIcon m_picture;
    QString m_tooltip;
    QMenu* m_menu = nullptr;
    ActivationHandler m_handler;
    std::vector<Change> m_changes;
};
