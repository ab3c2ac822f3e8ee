#include "wmapp/WmHelp.h"

#include "platform/MessageBox.h"
#include "platform/ResourceChain.h"
#include "platform/ZelvoPaths.h"
#include "wmapp/WmTrace.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr unsigned IDS_PRODUCT_NAME = 8100;

WmHelp::OpenHook& Hook() {
    static WmHelp::OpenHook hook;
    return hook;
}

}  // namespace

QString WmHelp::ManualPath() {
    return QString::fromStdString(ZelvoPaths::AppDir()) + QStringLiteral("/manual/index.htm");
}

bool WmHelp::OpenFile(const QString& path) {
    if (Hook()) return Hook()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void WmHelp::SetOpenHook(OpenHook hook) { Hook() = std::move(hook); }

bool WmHelp::OpenManual(QWidget* parent) { return OpenManualAt(parent, 0); }

bool WmHelp::OpenManualAt(QWidget* parent, unsigned topic) {
    const QString path = ManualPath();
    if (QFileInfo(path).isFile()) {
        if (topic == 0 && OpenFile(path)) return true;
        if (topic != 0) {
            const QString anchor = QStringLiteral("topic-%1").arg(topic, 0, 16);
            if (Hook()) {
                if (Hook()(path + QLatin1Char('#') + anchor)) return true;
            } else {
                QUrl url = QUrl::fromLocalFile(path);
                url.setFragment(anchor);
                if (QDesktopServices::openUrl(url)) return true;
            }
        }
    }
    TracePrint("WmHelp::OpenManual() cannot open %s\n", path.toUtf8().constData());
    MessageBox::Show(ResourceChain::Instance().LoadString(IDS_PRODUCT_NAME),
                     QStringLiteral("The manual cannot be opened:\n%1").arg(path), MessageBox::Buttons::Ok,
                     MessageBox::Icon::Warning, parent);
    return false;
}
