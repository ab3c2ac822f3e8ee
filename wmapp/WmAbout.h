#pragma once
// The About box: the product's name and version.
#include <QString>

class QWidget;

class WmAbout {
public:
    // The box's text: product name and version on two lines.
    static QString Text();
    static void Show(QWidget* parent);
};
