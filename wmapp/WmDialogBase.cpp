#include "wmapp/WmDialogBase.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "platform/ResourceChain.h"

WmDialogBase::WmDialogBase(QWidget* self) : m_self(self) {}

WmDialogBase::~WmDialogBase() = default;

void WmDialogBase::AddControl(int id, QWidget* control) {
    if (!control) return;
    control->setProperty(CONTROL_ID_PROPERTY, id);
    m_controls[id] = control;
}

QWidget* WmDialogBase::Control(int id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QString WmDialogBase::ControlText(int id) const {
    QWidget* w = Control(id);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* text = qobject_cast<QTextEdit*>(w)) return text->toPlainText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->toPlainText();
    return QString();
}

bool WmDialogBase::SetControlText(int id, const QString& text) {
    QWidget* w = Control(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        rich->setPlainText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(text);
    } else {
        return false;
    }
    return true;
}

bool WmDialogBase::IsControlEnabled(int id) const {
    QWidget* w = Control(id);
    return w && w->isEnabled();
}

bool WmDialogBase::EnableControl(int id, bool enable) {
    QWidget* w = Control(id);
    if (!w) return false;
    w->setEnabled(enable);
    return true;
}

bool WmDialogBase::IsControlVisible(int id) const {
    QWidget* w = Control(id);
    if (!w) return false;
    return m_self && w != m_self && m_self->isAncestorOf(w) ? w->isVisibleTo(m_self) : !w->isHidden();
}

bool WmDialogBase::ShowControl(int id, bool show) {
    QWidget* w = Control(id);
    if (!w) return false;
    w->setVisible(show);
    return true;
}

bool WmDialogBase::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (button) return button->isChecked();
    auto* group = qobject_cast<QGroupBox*>(Control(id));
    return group && group->isChecked();
}

bool WmDialogBase::SetChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
        button->setChecked(checked);
        return true;
    }
    if (auto* group = qobject_cast<QGroupBox*>(Control(id)); group && group->isCheckable()) {
        group->setChecked(checked);
        return true;
    }
    return false;
}

int WmDialogBase::Selection(int id) const {
    QWidget* w = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentRow();
    if (auto* view = qobject_cast<QAbstractItemView*>(w))
        return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    return -1;
}

bool WmDialogBase::SetSelection(int id, int row) {
    QWidget* w = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (row < -1 || row >= combo->count()) return false;
        combo->setCurrentIndex(row);
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (row < -1 || row >= list->count()) return false;
        list->setCurrentRow(row);
        return true;
    }
    return false;
}

void WmDialogBase::ApplyLabels(const WmLabel* table) {
    if (!table) return;
    const ResourceChain& chain = ResourceChain::Instance();
    for (const WmLabel* entry = table; entry->controlId != 0; ++entry) {
        QString text;
        if (!chain.FindString(entry->stringId, text)) continue;
        if (entry->controlId == CAPTION_ID)
            SetCaption(text);
        else
            SetControlText(entry->controlId, text);
    }
}

void WmDialogBase::SetCaption(const QString& caption) {
    m_caption = caption;
    if (m_self) m_self->setWindowTitle(caption);
}
