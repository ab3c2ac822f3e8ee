#include "platform/FakeTrayIcon.h"

#include <QAction>
#include <QMenu>

void FakeTrayIcon::Show() {
    m_shown = true;
    m_changes.push_back({Change::Kind::Show, {}, {}});
}

void FakeTrayIcon::Hide() {
    m_shown = false;
    m_changes.push_back({Change::Kind::Hide, {}, {}});
}

void FakeTrayIcon::SetPicture(const QIcon& icon) {
    m_picture = icon;
    m_changes.push_back({Change::Kind::Picture, icon.isNull() ? QImage() : icon.pixmap(16, 16).toImage(), {}});
}

void FakeTrayIcon::SetTooltip(const QString& text) {
    m_tooltip = text;
    m_changes.push_back({Change::Kind::Tooltip, {}, text});
}

void FakeTrayIcon::SetMenu(QMenu* menu) {
    m_menu = menu;
    m_changes.push_back({Change::Kind::Menu, {}, {}});
}

void FakeTrayIcon::Activate(Activation activation) {
    if (m_handler) m_handler(activation);
}

QStringList FakeTrayIcon::OpenMenu() {
    if (m_handler) m_handler(Activation::Context);
    if (!m_menu) return {};
    emit m_menu->aboutToShow();
    const QStringList lines = Describe(m_menu);
    m_changes.push_back({Change::Kind::Menu, {}, lines.join(QLatin1Char('\n'))});
    return lines;
}

QStringList FakeTrayIcon::Describe(const QMenu* menu, const QString& indent) {
    QStringList lines;
    if (!menu) return lines;
    const QAction* def = menu->defaultAction();
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("-");
            continue;
        }
        QString line = indent + action->text();
        if (action->isChecked()) line += QStringLiteral(" [x]");
        if (!action->isEnabled()) line += QStringLiteral(" (off)");
        if (action == def) line += QStringLiteral(" *");
        lines << line;
        if (action->menu()) lines << Describe(action->menu(), indent + QStringLiteral("  "));
    }
    return lines;
}
