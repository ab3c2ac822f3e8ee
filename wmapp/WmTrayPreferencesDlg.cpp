#include "wmapp/WmTrayPreferencesDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/ResourceChain.h"
#include "wmapp/WmTrayPreferences.h"

WmTrayPreferencesDlg::WmTrayPreferencesDlg(WmTrayPreferences* preferences, QWidget* parent)
    : QDialog(parent), WmDialogBase(this), m_preferences(preferences) {
    // The dialog's own texts, as its template gives them.
    SetCaption(tr("System Tray Utility Preferences"));
    auto* outer = new QVBoxLayout(this);

    auto* startup = new QGroupBox(tr("Startup Options"), this);
    AddControl(IDC_STARTUP_GROUP, startup);
    auto* startupLayout = new QVBoxLayout(startup);
    auto* autostart = new QCheckBox(tr("Run the program automatically when Windows starts"), startup);
    AddControl(IDC_AUTOSTART, autostart);
    startupLayout->addWidget(autostart);
    outer->addWidget(startup);

    auto* menu = new QGroupBox(tr("Menu Options"), this);
    AddControl(IDC_MENU_GROUP, menu);
    auto* menuLayout = new QVBoxLayout(menu);
    auto* text = new QLabel(tr("Check the items that you want to appear on the popup menu. (Unchecked items are hidden.)"),
                            menu);
    text->setWordWrap(true);
    AddControl(IDC_MENU_TEXT, text);
    m_list = new QListWidget(menu);
    m_list->setMinimumHeight(180);
    AddControl(IDC_ITEMS, m_list);
    menuLayout->addWidget(text);
    menuLayout->addWidget(m_list, 1);
    outer->addWidget(menu, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AddControl(1, buttons->button(QDialogButtonBox::Ok));
    AddControl(2, buttons->button(QDialogButtonBox::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { OnCancel(); });
    outer->addWidget(buttons);
    resize(380, 400);
}

WmTrayPreferencesDlg::~WmTrayPreferencesDlg() = default;

void WmTrayPreferencesDlg::showEvent(QShowEvent* event) {
    // Every opening starts from what is stored, as the dialog is kept between openings.
    if (!event->spontaneous()) OnInitDialog();
    QDialog::showEvent(event);
}

bool WmTrayPreferencesDlg::OnInitDialog() {
    m_list->clear();
    if (!m_preferences) return true;
    m_preferences->LoadOfferedItems();
    // An installation's own library may name the dialog.
    const ResourceChain& chain = ResourceChain::Instance();
    QString caption;
    if (chain.Current() && chain.FindStringIn(chain.Current(), IDS_OEM_CAPTION, caption)) SetCaption(caption);
    for (int i = 0; i < WmTrayPreferences::ITEM_COUNT; ++i) {
        const WmTrayPreferences::Item* item = m_preferences->ItemAt(i);
        if (!item || !item->offered) continue;
        auto* line = new QListWidgetItem(item->text, m_list);
        line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        line->setCheckState(item->shown ? Qt::Checked : Qt::Unchecked);
    }
    SetChecked(IDC_AUTOSTART, m_preferences->IsAutostart());
    return true;
}

void WmTrayPreferencesDlg::OnOK() {
    if (m_preferences) {
        for (int row = 0; row < m_list->count(); ++row) {
            const int index = m_preferences->FindByText(m_list->item(row)->text());
            if (index >= 0) m_preferences->SetItemShown(index, IsItemChecked(row), true);
        }
        m_preferences->SetAutostart(IsChecked(IDC_AUTOSTART));
    }
    done(QDialog::Accepted);
}

void WmTrayPreferencesDlg::OnCancel() {
    done(QDialog::Rejected);
}

int WmTrayPreferencesDlg::ItemCount() const {
    return m_list->count();
}

QString WmTrayPreferencesDlg::ItemText(int row) const {
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->text() : QString();
}

bool WmTrayPreferencesDlg::IsItemChecked(int row) const {
    const QListWidgetItem* item = m_list->item(row);
    return item && item->checkState() == Qt::Checked;
}

bool WmTrayPreferencesDlg::SetItemChecked(int row, bool checked) {
    QListWidgetItem* item = m_list->item(row);
    if (!item) return false;
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}
