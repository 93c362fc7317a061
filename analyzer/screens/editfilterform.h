#pragma once
// The Edit Filter dialog: a plain value (typed or chosen from the field's
// values) or a range; in date mode the boxes take their dates from a calendar.
#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace pellard {

class TEditFilterForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditFilterForm(QWidget* parent = nullptr);

    // Set by the caller before the dialog opens.
    void Setup(const std::vector<std::string>& values, const std::string& value,
               const std::string& from, const std::string& to, bool dateMode);

    // The result, valid when the dialog was accepted.
    std::string Value() const;
    std::string From() const;
    std::string To() const;

    void FormActivate();
    // A click in one of the three boxes; in date mode the calendar opens at
    // `globalPos` moved 10 right and 10 down.
    void EditClick(QWidget* box, const QPoint& globalPos);
    void OKValueBtnClick();
    void OKRangeBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* FilterValue;
    QLineEdit* FromValue;
    QLineEdit* ToValue;
    QPushButton* OKValueBtn;
    QPushButton* OKRangeBtn;
    QPushButton* CancelBtn;
    bool dateMode_ = false;
    bool rangeResult_ = false;
};

}  // namespace pellard
