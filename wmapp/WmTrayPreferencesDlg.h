#pragma once
// The System Tray Utility Preferences dialog: whether the program starts with the session, and
// which of the offered items the tray menu shows.
#include <QDialog>

#include "wmapp/WmDialogBase.h"

class QListWidget;
class WmTrayPreferences;

class WmTrayPreferencesDlg : public QDialog, public WmDialogBase {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 135;
    static constexpr unsigned IDS_OEM_CAPTION = 8103;
    static constexpr int IDC_AUTOSTART = 1006;
    static constexpr int IDC_ITEMS = 1007;
    static constexpr int IDC_STARTUP_GROUP = 1008;
    static constexpr int IDC_MENU_GROUP = 1009;
    static constexpr int IDC_MENU_TEXT = 1010;

    // preferences must outlive the dialog.
    explicit WmTrayPreferencesDlg(WmTrayPreferences* preferences, QWidget* parent = nullptr);
    ~WmTrayPreferencesDlg() override;

    // Fills the dialog from the preferences; runs at every opening.
    bool OnInitDialog();
    // Stores the list's checks and the autostart choice, then closes with Accepted.
    void OnOK();
    // Stores nothing; closes with Rejected.
    void OnCancel();

    // The list of offered items, for tests and the window.
    QListWidget* ItemList() const { return m_list; }
    int ItemCount() const;
    QString ItemText(int row) const;
    bool IsItemChecked(int row) const;
    bool SetItemChecked(int row, bool checked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    WmTrayPreferences* m_preferences;
    QListWidget* m_list = nullptr;
};
