#pragma once
// The Custom Report dialog: the field whose cells are matched, the values
// (one a line) and the matching rules.
#include "analyzer/reports.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;

namespace pellard {

class TCustomReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TCustomReportForm(QWidget* parent = nullptr);

    // Fills the dialog: the field names offered and the settings shown.
    void Load(const std::vector<std::string>& fieldNames, const CustomReportSettings& settings);
    // What the dialog shows now, as settings.
    CustomReportSettings Settings() const;
    bool ClosedWithOK() const { return ok_; }

    void FormActivate();
    void OKValueBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* ReportField;
    QPlainTextEdit* FieldValues;
    QCheckBox* PartialMatchBtn;
    QCheckBox* CaseSensitiveBtn;
    bool ok_ = false;
};

}  // namespace pellard
