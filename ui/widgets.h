#pragma once
// Small building blocks of the screens: named buttons and fields, rows of
// labels and fields, rows of buttons, and sizing to the font in use.
#include <QString>
#include <QStyle>

#include <functional>
#include <initializer_list>
#include <string>

class QAbstractItemView;
class QComboBox;
class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QTreeView;
class QWidget;

namespace ui {

// A push button with an object name (the name tests and handlers find it
// by), not taking Enter unless made default.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text,
                         const QString& tip = {});
// A named push button showing one of the style's icons instead of a text.
QPushButton* IconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& tip);
// A small named tool button, checkable for toggles.
QToolButton* NamedToolButton(QWidget* parent, const QString& name, const QString& text,
                             const QString& tip = {}, bool checkable = false);
QLineEdit* NamedEdit(QWidget* parent, const char* name);
QLabel* Label(const QString& text, QWidget* parent, bool bold = false);

// Label-plus-field rows, labels at the left.
struct FieldRow {
    QString label;
    QWidget* field;
};
QFormLayout* FieldRows(std::initializer_list<FieldRow> rows);

struct ButtonSpec {
    const char* name;  // objectName
    QString caption;
    std::function<void()> action;
};
// The buttons in order after a stretch; the first one is the default.
QHBoxLayout* ButtonRow(QWidget* parent, std::initializer_list<ButtonSpec> buttons);
// The bottom row of a dialog: `left` widgets, then "OK" (OKBtn, default,
// running `ok`) and "Cancel" (CancelBtn, rejecting) at the right.
QHBoxLayout* OkCancelRow(QDialog& dialog, std::function<void()> ok,
                         std::initializer_list<QWidget*> left = {});
// `left` widgets, a stretch, then `right` widgets.
QHBoxLayout* SpreadRow(std::initializer_list<QWidget*> left, std::initializer_list<QWidget*> right);
// The widgets side by side in the middle of the row.
QHBoxLayout* CentredRow(std::initializer_list<QWidget*> widgets);

// Column widths from the font: every column is at least `minimum` pixels
// and as wide as its heading and the text it holds;
// the user can widen or narrow each one. Rows keep one line of text.
// Call again after the contents change to widen columns that became too narrow.
void FitColumns(QTableView* view, int minimum = 80);
void FitColumns(QTreeView* view, int minimum = 80);
// The width a line of `text` needs in `widget`'s font, with its frame.
int TextWidth(const QWidget* widget, const QString& text);
// FitColumns now and again whenever the view's model changes.
void KeepColumnsFitted(QTableView* view, int minimum = 80);
void KeepColumnsFitted(QTreeView* view, int minimum = 80);
// What the box shows, as the store's bytes; "" when there is no box.
std::string TextOf(const QLineEdit* edit);
std::string TextOf(const QComboBox* box);
// A short table as high as all its rows, so that none is cut off.
void ShowAllRows(QTableView* view);
// Makes `window` at least as large as its contents ask for, within the
// screen; the size it was given stays as the smallest.
void GrowToContents(QWidget* window);

}  // namespace ui
