#include "wmapp/WmAbout.h"

#include "platform/MessageBox.h"
#include "platform/ResourceChain.h"

namespace {

constexpr unsigned IDS_PRODUCT_NAME = 8100;
constexpr const char* kVersion = "1.0.0";

}  // namespace

QString WmAbout::Text() {
    return ResourceChain::Instance().LoadString(IDS_PRODUCT_NAME) + QStringLiteral("\nVersion ") +
           QString::fromLatin1(kVersion);
}

void WmAbout::Show(QWidget* parent) {
    const QString product = ResourceChain::Instance().LoadString(IDS_PRODUCT_NAME);
    MessageBox::Show(QStringLiteral("About %1").arg(product), Text(), MessageBox::Buttons::Ok,
                     MessageBox::Icon::Information, parent);
}
