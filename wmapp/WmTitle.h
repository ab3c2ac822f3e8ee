#pragma once
// The main window's title: product caption, " - Current Profile: " and the active profile's name,
// with " (Disabled)" when that profile cannot be used here. The window's title is set again only
// when the text changes other than in letter case.
#include <QString>

#include <optional>

class WmStatusSource;

class WmTitle {
public:
    // The title for a profile name (empty: none). disabled: unset when it could not be read.
    static QString Build(const QString& profileName, std::optional<bool> disabled);
    // The title for the adapter's active profile (none: an empty name, nothing to ask).
    static QString Build(WmStatusSource& source);

    // True (and remembered) when title differs from the last one, ignoring case.
    bool Update(const QString& title);
    QString Last() const { return m_last; }

private:
    QString m_last;
};
