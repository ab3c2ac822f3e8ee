#include "platform/TrayIcon.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

TrayIcon::~TrayIcon() = default;

namespace {

class SystemTrayIcon : public TrayIcon {
public:
    SystemTrayIcon() {
        QObject::connect(&m_icon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
            if (!m_handler) return;
            switch (reason) {
            case QSystemTrayIcon::Context: m_handler(Activation::Context); break;
            case QSystemTrayIcon::DoubleClick: m_handler(Activation::DoubleClick); break;
            case QSystemTrayIcon::Trigger: m_handler(Activation::Trigger); break;
            case QSystemTrayIcon::MiddleClick: m_handler(Activation::MiddleClick); break;
            default: break;
            }
        });
    }
    void Show() override { m_icon.show(); }
    void Hide() override { m_icon.hide(); }
    bool IsShown() const override { return m_icon.isVisible(); }
    void SetPicture(const QIcon& icon) override { m_icon.setIcon(icon); }
    void SetTooltip(const QString& text) override { m_icon.setToolTip(text); }
    void SetMenu(QMenu* menu) override { m_icon.setContextMenu(menu); }
    void SetActivationHandler(ActivationHandler handler) override { m_handler = std::move(handler); }

private:
    QSystemTrayIcon m_icon;
    ActivationHandler m_handler;
};

}  // namespace

std::unique_ptr<TrayIcon> TrayIcon::Create() {
    return std::make_unique<SystemTrayIcon>();
}
