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

bool WmHelp::OpenManual(QWidget* parent) {
    const QString path = ManualPath();
    if (QFileInfo(path).isFile() && OpenFile(path)) return true;
    TracePrint("WmHelp::OpenManual() cannot open %s\n", path.toUtf8().constData());
    MessageBox::Show(ResourceChain::Instance().LoadString(IDS_PRODUCT_NAME),
                     QStringLiteral("The manual cannot be opened:\n%1").arg(path), MessageBox::Buttons::Ok,
                     MessageBox::Icon::Warning, parent);
    return false;
}
