#pragma once
// The calculator window: keys, display, memory buttons, the paper tape and
// the option pages, over the calculator of analyzer/calculator.h; and the
// small component that opens it modally and hands back its value.
#include "analyzer/calculator.h"

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace pellard {

class TTheCalculator : public QDialog {
    Q_OBJECT
public:
    explicit TTheCalculator(QWidget* parent = nullptr);

    // The key handler every button and typed character goes through.
    void FormKeyPress(char key);

    const Calculator& Logic() const { return calc_; }
    bool ClosedWithUse() const { return used_; }
    // "Call for Help" on the last option page; by default the help contents
    // are looked for beside the program.
    void SetHelpHandler(std::function<void()> handler) { help_ = std::move(handler); }

    static const char* const kMailAddress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddKey(const char* name, const QString& caption, char key);
    void ShowState();
    void PrintTape();
    void ShowHelp();

    Calculator calc_;
    bool used_ = false;
    int tapeLines_ = 0;
    std::function<void()> help_;

    QLabel* Display = nullptr;
    QPlainTextEdit* ScreenTicket = nullptr;
    QStackedWidget* OptionBook = nullptr;
    QSpinBox* Edit1 = nullptr;
    QPushButton* Button_MC = nullptr;
    QPushButton* Button_MR = nullptr;
    std::map<QString, QPushButton*> buttons_;
};

// Opens a fresh calculator modally; Execute tells whether it was closed with
// "Use", and Value is the value it showed last.
class TCalculator {
public:
    bool Execute(QWidget* parent = nullptr, std::function<void()> help = {});
    double Value() const { return value_; }

private:
    double value_ = 0;
};

}  // namespace pellard
