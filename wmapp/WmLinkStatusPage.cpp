#include "wmapp/WmLinkStatusPage.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ResourceChain.h"

namespace {

// Caption and labels, from the string table at opening.
const WmLabel kLabels[] = {
    {WmDialogBase::CAPTION_ID, 2350}, {1131, 2351}, {1142, 2352}, {1138, 2353}, {1136, 2354}, {1046, 2355},
    {1140, 2356}, {1145, 2357}, {1133, 2358}, {1038, 2359}, {1016, 2360}, {1144, 2361}, {0, 0},
};

// Rows of the page: label control, value control (0: the signal row, built apart).
struct Row {
    int label;
    int value;
};
const Row kRows[] = {
    {1131, WmLinkStatusPage::IDC_PROFILE_NAME}, {1142, WmLinkStatusPage::IDC_LINK_STATUS},
    {1138, WmLinkStatusPage::IDC_WIRELESS_MODE}, {1136, WmLinkStatusPage::IDC_NETWORK_TYPE},
    {1046, WmLinkStatusPage::IDC_SERVER_AUTH}, {1140, 0},
    {1145, WmLinkStatusPage::IDC_RADIO_STATE}, {1133, WmLinkStatusPage::IDC_IP_ADDRESS},
    {1038, WmLinkStatusPage::IDC_CHANNEL}, {1016, WmLinkStatusPage::IDC_ENCRYPTION},
};

QColor FromColourRef(uint32_t ref) {
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

}  // namespace

WmLinkStatusPage::WmLinkStatusPage(WmStatusSource* source, QWidget* parent)
    : WmAppPropPage(IDS_CAPTION, parent), m_source(source) {
    BuildLayout();
}

WmLinkStatusPage::~WmLinkStatusPage() = default;

void WmLinkStatusPage::BuildLayout() {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* banner = new QLabel(this);
    banner->hide();  // kept for a replacement library's banner; nothing on the page shows it
    AddControl(IDC_BANNER, banner);
    m_logo = new QLabel(this);
    m_logo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    AddControl(IDC_LOGO, m_logo);
    top->addStretch(1);
    top->addWidget(m_logo);
    outer->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const Row& r : kRows) {
        auto* label = new QLabel(this);
        AddControl(r.label, label);
        grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        if (r.value == 0) {
            auto* cell = new QHBoxLayout;
            m_bar = new QProgressBar(this);
            m_bar->setRange(0, 100);
            m_bar->setValue(0);
            m_bar->setTextVisible(false);
            m_bar->setMaximumHeight(16);
            m_bar->setMinimumWidth(140);
            AddControl(IDC_SIGNAL_BAR, m_bar);
            auto* word = new QLabel(this);
            word->setMinimumWidth(70);
            AddControl(IDC_SIGNAL_WORD, word);
            cell->addWidget(m_bar, 1);
            cell->addSpacing(8);
            cell->addWidget(word);
            grid->addLayout(cell, row, 1);
        } else {
            auto* value = new QLabel(this);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            AddControl(r.value, value);
            grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        }
        ++row;
    }
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_advanced = new QPushButton(this);
    AddControl(IDC_ADVANCED, m_advanced);
    connect(m_advanced, &QPushButton::clicked, this, [this] { OnAdvanced(); });
    buttons->addWidget(m_advanced);
    outer->addLayout(buttons);
    // The radio row shows only while the radio is off.
    ShowControl(IDC_RADIO_LABEL, false);
    ShowControl(IDC_RADIO_STATE, false);
}

bool WmLinkStatusPage::OnInitDialog() {
    ApplyLabels(kLabels);
    if (auto* banner = ControlAs<QLabel>(IDC_BANNER))
        banner->setPixmap(QPixmap::fromImage(ResourceChain::Instance().LoadBitmapImage(IDB_BANNER)));
    LoadLogo();
    m_bar->setRange(0, 100);
    RefreshPage();
    return true;
}

void WmLinkStatusPage::LoadLogo() {
    // A fresh picture on every refresh, so a library swapped in meanwhile shows its own.
    m_logo->setPixmap(QPixmap::fromImage(ResourceChain::Instance().LoadBitmapImage(IDB_LOGO)));
}

void WmLinkStatusPage::RefreshPage() {
    EnsureInitialized();
    if (m_source) m_model.Refresh(*m_source);
    ShowView();
    LoadLogo();
}

void WmLinkStatusPage::ShowView() {
    const WmLinkStatusView& v = m_model.View();
    SetControlText(IDC_PROFILE_NAME, v.profileName);
    SetControlText(IDC_LINK_STATUS, v.linkStatus);
    SetControlText(IDC_WIRELESS_MODE, v.wirelessMode);
    SetControlText(IDC_NETWORK_TYPE, v.networkType);
    SetControlText(IDC_SERVER_AUTH, v.serverAuthentication);
    SetControlText(IDC_SIGNAL_WORD, v.signalWord);
    SetControlText(IDC_RADIO_STATE, v.radioState);
    SetControlText(IDC_IP_ADDRESS, v.ipAddress);
    SetControlText(IDC_CHANNEL, v.channel);
    SetControlText(IDC_ENCRYPTION, v.encryption);
    EnableControl(IDC_ADVANCED, v.advancedEnabled);
    ShowControl(IDC_RADIO_LABEL, v.radioLabelVisible);
    // While the radio is on its value is a blank; the row folds away with the label.
    ShowControl(IDC_RADIO_STATE, v.radioLabelVisible);
    m_bar->setValue(v.barPosition);
    if (v.barColour != WmLinkStatusModel::DEFAULT_COLOUR) {
        QPalette palette = m_bar->palette();
        palette.setColor(QPalette::Highlight, FromColourRef(v.barColour));
        m_bar->setPalette(palette);
    }
}

unsigned WmLinkStatusPage::HelpTopic(int controlId) {
    static constexpr struct {
        int control;
        unsigned topic;
    } kTopics[] = {
        {1131, 394240}, {1132, 394240}, {1136, 394241}, {1137, 394241}, {1138, 394242}, {1139, 394242},
        {1038, 394243}, {1039, 394243}, {1142, 394244}, {1143, 394244}, {1016, 394245}, {1135, 394245},
        {1133, 394246}, {1116, 394246}, {1144, 394247}, {1046, 394583}, {1140, 394584}, {1161, 394584},
        {1141, 394584}, {1176, 394248},
    };
    for (const auto& t : kTopics)
        if (t.control == controlId) return t.topic;
    return 0;
}

void WmLinkStatusPage::OnAdvanced() {
    if (m_onAdvanced) m_onAdvanced();
}
