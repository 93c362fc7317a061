#pragma once
// A row of named push buttons, right-aligned, as the customer, search, range
// and export dialogs use them.
#include <QString>

#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QWidget;

namespace brenvik {

struct ButtonSpec {
    const char* name;  // objectName
    QString caption;
    std::function<void()> action;
};

// The buttons in order after a stretch; the first one is the default.
QHBoxLayout* ButtonRow(QWidget* parent, std::initializer_list<ButtonSpec> buttons);

}  // namespace brenvik
