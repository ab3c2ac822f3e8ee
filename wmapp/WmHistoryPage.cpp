#include "wmapp/WmHistoryPage.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

WmHistoryPage::WmHistoryPage(QWidget* parent) : WmAppPropPage(IDS_CAPTION, parent) {
    auto* outer = new QVBoxLayout(this);
    m_history = new QPlainTextEdit(this);
    m_history->setReadOnly(true);
    m_history->setLineWrapMode(QPlainTextEdit::NoWrap);
    AddControl(IDC_HISTORY, m_history);
    outer->addWidget(m_history, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    // Button texts are the page's own, as its template gives them.
    auto* clear = new QPushButton(tr("Clear"), this);
    auto* save = new QPushButton(tr("Save"), this);
    AddControl(IDC_CLEAR, clear);
    AddControl(IDC_SAVE, save);
    connect(clear, &QPushButton::clicked, this, [this] { OnClear(); });
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });
    buttons->addWidget(clear);
    buttons->addWidget(save);
    outer->addLayout(buttons);
    UpdateButtons();
}

WmHistoryPage::~WmHistoryPage() = default;

bool WmHistoryPage::OnInitDialog() {
    UpdateButtons();
    return true;
}

void WmHistoryPage::AddEvent(const QString& text) {
    m_history->appendPlainText(text);
    m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
    UpdateButtons();
}

QString WmHistoryPage::History() const {
    QString text = m_history->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void WmHistoryPage::OnClear() {
    m_history->clear();
    UpdateButtons();
}

void WmHistoryPage::OnSave() {
    if (m_onSave && !m_history->document()->isEmpty()) m_onSave();
}

void WmHistoryPage::RefreshPage() {
    EnsureInitialized();
}

void WmHistoryPage::UpdateButtons() {
    const bool any = !m_history->document()->isEmpty();
    EnableControl(IDC_CLEAR, any);
    EnableControl(IDC_SAVE, any);
}
