#pragma once
// The print-settings dialog of a table: borders, general layout, fonts, date
// and time, title, pages, margins, spacing and orientation, dimensions in
// millimetres, with a preview of the pages as they will print.
#include "analyzer/screens/tableprint.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class PreviewWidget;
}

namespace pellard {

class TPrintSettingsForm : public QDialog {
    Q_OBJECT
public:
    // `table` is previewed; it must outlive the dialog.
    TPrintSettingsForm(const brenvik::StringTable& table, const TablePrintSettings& settings,
                       QWidget* parent = nullptr);

    // The settings as the controls show them now.
    TablePrintSettings Settings() const;
    int PreviewPageCount() const;

    void UpdatePreview();

private:
    void ChooseFont(QFont& font, QPushButton* button);

    const brenvik::StringTable& table_;
    QFont cellFont_, titleFont_, headerFont_;

    QCheckBox* Borders = nullptr;
    QComboBox* BorderStyle = nullptr;
    QCheckBox* Centered = nullptr;
    QCheckBox* RepeatFixedRows = nullptr;
    QCheckBox* RepeatFixedCols = nullptr;
    QCheckBox* FitToPage = nullptr;
    QPushButton* CellFontBtn = nullptr;
    QPushButton* TitleFontBtn = nullptr;
    QPushButton* HeaderFontBtn = nullptr;
    QCheckBox* PrintDate = nullptr;
    QCheckBox* PrintTime = nullptr;
    QLineEdit* DateFormat = nullptr;
    QCheckBox* PrintTitle = nullptr;
    QLineEdit* TitleText = nullptr;
    QCheckBox* PrintHeader = nullptr;
    QLineEdit* HeaderText = nullptr;
    QCheckBox* PrintFooter = nullptr;
    QLineEdit* FooterText = nullptr;
    QCheckBox* PageNumbers = nullptr;
    QLineEdit* PageSeparator = nullptr;
    QDoubleSpinBox* LeftMargin = nullptr;
    QDoubleSpinBox* TopMargin = nullptr;
    QDoubleSpinBox* RightMargin = nullptr;
    QDoubleSpinBox* BottomMargin = nullptr;
    QDoubleSpinBox* ColSpacing = nullptr;
    QDoubleSpinBox* RowSpacing = nullptr;
    QRadioButton* Portrait = nullptr;
    QRadioButton* Landscape = nullptr;
    ui::PreviewWidget* Preview = nullptr;
    QComboBox* PreviewZoom = nullptr;
};

// "Print Settings": the print-settings dialog over these settings; true when
// it was closed with OK (the settings then hold the changes).
bool PrintSettings1Click(const brenvik::StringTable& table, TablePrintSettings& settings);
// "Print": the print dialog, then the table on the chosen printer.
bool Print1Click(const brenvik::StringTable& table, const TablePrintSettings& settings,
                 const QString& jobName);
// A page's "Print" button: the print menu below the button's middle.
// `table` is called only when something is to be drawn.
void PrintButtonClick(QWidget* button, const std::function<brenvik::StringTable()>& table,
                      TablePrintSettings& settings, const QString& jobName);

}  // namespace pellard
