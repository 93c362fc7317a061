#pragma once
// What the two range dialogs share: the caller's From and To, the summary,
// two entries, and the "OK", "Cancel" and "Clear" buttons.
#include <QDialog>

#include <string>

class QLineEdit;

namespace brenvik {

class RangeForm : public QDialog {
    Q_OBJECT
public:
    // Set by the caller before showing; read back, with Summary, afterwards.
    std::string From;
    std::string To;
    std::string Summary;

    virtual void OKBtnClick() = 0;
    // The summary becomes empty; From and To keep what they were given.
    void CancelBtnClick();
    // Empties both entries.
    void ClearBtnClick();

protected:
    RangeForm(const QString& caption, const char* fromName, const QString& fromLabel,
              const char* toName, const QString& toLabel, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    // Takes the dialog's result and closes it.
    void Accept(std::string from, std::string to, std::string summary);

    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
};

}  // namespace brenvik
