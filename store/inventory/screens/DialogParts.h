#pragma once
// Small pieces shared by the item dialogs.
#include <QString>

#include <functional>
#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace brenvik {

// A push button with an object name, not taking Enter unless made default.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text);
// The bottom row of a dialog: `left` widgets, then "OK" (OKBtn, default,
// running `ok`) and "Cancel" (CancelBtn, rejecting) at the right.
QHBoxLayout* OkCancelRow(QDialog& dialog, std::function<void()> ok,
                         std::initializer_list<QWidget*> left = {});

}  // namespace brenvik
