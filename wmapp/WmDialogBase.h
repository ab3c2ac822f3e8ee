#pragma once
// Access to a window's controls by their numeric ids, and the label tables that give a window its
// caption and label texts from the string table at opening. Mixed into pages and dialogs, so the
// logic and the tests talk to controls by id whatever widget class stands behind them.
#include <QString>

#include <map>

class QWidget;

// One entry of a label table: the control and the string that becomes its text. Control id -2
// stands for the caption; control id 0 ends the table.
struct WmLabel {
    int controlId;
    unsigned stringId;
};

class WmDialogBase {
public:
    static constexpr int CAPTION_ID = -2;
    static constexpr const char* CONTROL_ID_PROPERTY = "controlId";

    explicit WmDialogBase(QWidget* self);
    virtual ~WmDialogBase();
    WmDialogBase(const WmDialogBase&) = delete;
    WmDialogBase& operator=(const WmDialogBase&) = delete;

    // Files a control under its id (the id is also set as the widget's "controlId" property).
    void AddControl(int id, QWidget* control);
    QWidget* Control(int id) const;
    template <class T>
    T* ControlAs(int id) const {
        return qobject_cast<T*>(Control(id));
    }

    // Text of labels, buttons, line and text edits, group boxes, combo boxes (the current text).
    // Empty for an unknown id.
    QString ControlText(int id) const;
    bool SetControlText(int id, const QString& text);
    bool IsControlEnabled(int id) const;
    bool EnableControl(int id, bool enable);
    // Visible as far as the window is concerned: neither it nor a box around it is hidden, even
    // while the window itself is not on screen.
    bool IsControlVisible(int id) const;
    bool ShowControl(int id, bool show);
    bool IsChecked(int id) const;
    bool SetChecked(int id, bool checked);
    // Current row of a combo box or list; -1 for none or an unknown id.
    int Selection(int id) const;
    bool SetSelection(int id, int row);

    // Sets the caption and label texts of the table (ends at control id 0). Texts are looked up
    // along the resource chain; an id missing everywhere leaves the control's text alone.
    void ApplyLabels(const WmLabel* table);

    QString Caption() const { return m_caption; }
    // The caption of this window: a dialog's window title, a page's tab text.
    virtual void SetCaption(const QString& caption);

protected:
    QWidget* Self() const { return m_self; }

private:
    QWidget* m_self;
    std::map<int, QWidget*> m_controls;
    QString m_caption;
};
