#pragma once
// The Events History page: the adapter's event lines of this run, oldest first, with Clear and
// Save. Nothing is kept across runs; the window appends each event as it arrives.
#include <QString>

#include <functional>

#include "wmapp/WmAppPropPage.h"

class QPlainTextEdit;
class QPushButton;

class WmHistoryPage : public WmAppPropPage {
    Q_OBJECT
public:
    static constexpr unsigned IDS_CAPTION = 162;
    static constexpr int IDC_HISTORY = 1210;
    static constexpr int IDC_CLEAR = 1211;
    static constexpr int IDC_SAVE = 1209;

    explicit WmHistoryPage(QWidget* parent = nullptr);
    ~WmHistoryPage() override;

    // Appends one event line and shows the last line.
    void AddEvent(const QString& text);
    // The history, lines separated by CR LF, no line end after the last one.
    QString History() const;
    void OnClear();
    // What Save runs (the window asks for a file and writes History()).
    void SetSaveHandler(std::function<void()> handler) { m_onSave = std::move(handler); }
    void OnSave();

    // Nothing to recompute: the history only grows by AddEvent.
    void RefreshPage() override;

protected:
    bool OnInitDialog() override;

private:
    void UpdateButtons();

    QPlainTextEdit* m_history = nullptr;
    std::function<void()> m_onSave;
};
