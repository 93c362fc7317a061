#include "analyzer/screens/calculatorform.h"

#include "ui/helppage.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pellard {

const char* const TTheCalculator::kMailAddress = "support@corvane.example";

namespace {

CalcSeparators RegionalSeparators() {
    const QLocale locale = QLocale::system();
    CalcSeparators s;
    s.decimal = ui::FromQ(locale.decimalPoint());
    s.thousands = ui::FromQ(locale.groupSeparator());
    if (s.decimal.empty()) s.decimal = '.';
    return s;
}

}  // namespace

TTheCalculator::TTheCalculator(QWidget* parent) : QDialog(parent), calc_(RegionalSeparators()) {
    setObjectName("TheCalculator");
    setWindowTitle("Calculator");

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    // Option pages: the display, the decimals, e-mail, help.
    OptionBook = new QStackedWidget(this);
    OptionBook->setObjectName("OptionBook");
    Display = new QLabel(OptionBook);
    Display->setObjectName("Display");
    Display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Display->setFrameShape(QFrame::Panel);
    Display->setFrameShadow(QFrame::Sunken);
    QFont big = fixed;
    big.setPointSizeF(big.pointSizeF() * 1.5);
    Display->setFont(big);
    OptionBook->addWidget(Display);

    auto* decimalsPage = new QWidget(OptionBook);
    Edit1 = new QSpinBox(decimalsPage);  // the edit with its up-down
    Edit1->setObjectName("Edit1");
    Edit1->setRange(0, Calculator::kMaxDecimals);
    auto* decimalsLayout = new QHBoxLayout(decimalsPage);
    decimalsLayout->addWidget(new QLabel("# Decimals", decimalsPage));
    decimalsLayout->addWidget(Edit1);
    decimalsLayout->addStretch(1);
    OptionBook->addWidget(decimalsPage);

    auto* mailPage = new QWidget(OptionBook);
    auto* mail = new QPushButton("E-mail Us", mailPage);
    mail->setObjectName("MailBtn");
    mail->setFocusPolicy(Qt::NoFocus);
    auto* mailLayout = new QHBoxLayout(mailPage);
    mailLayout->addWidget(mail);
    OptionBook->addWidget(mailPage);

    auto* helpPage = new QWidget(OptionBook);
    auto* help = new QPushButton("Call for Help", helpPage);
    help->setObjectName("HelpBtn");
    help->setFocusPolicy(Qt::NoFocus);
    auto* helpLayout = new QHBoxLayout(helpPage);
    helpLayout->addWidget(help);
    OptionBook->addWidget(helpPage);

    ScreenTicket = new QPlainTextEdit(this);
    ScreenTicket->setObjectName("ScreenTicket");
    ScreenTicket->setReadOnly(true);
    ScreenTicket->setFocusPolicy(Qt::NoFocus);
    ScreenTicket->setFont(fixed);
    ScreenTicket->setLineWrapMode(QPlainTextEdit::NoWrap);
    ScreenTicket->setMinimumWidth(
        QFontMetrics(fixed).horizontalAdvance(QString(Calculator::kWidth + 4, 'M')));

    // The keys, as on a desk calculator.
    auto* keys = new QGridLayout;
    struct K {
        const char* name;
        const char* caption;
        char key;
        int row, col;
    };
    const K layout[] = {
        {"Button_MC", "MC", calckey::MC, 0, 0},
        {"Button_MR", "MR", calckey::MR, 0, 1},
        {"Button_MPlus", "M +", calckey::MPlus, 0, 2},
        {"Button_MMinus", "M -", calckey::MMinus, 0, 3},
        {"Button_C", "C", calckey::Clear, 1, 0},
        {"Button_Div", "/", '/', 1, 1},
        {"Button_Times", "*", '*', 1, 2},
        {"Button_Minus", "-", '-', 1, 3},
        {"Button_7", "7", '7', 2, 0},
        {"Button_8", "8", '8', 2, 1},
        {"Button_9", "9", '9', 2, 2},
        {"Button_Plus", "+", '+', 2, 3},
        {"Button_4", "4", '4', 3, 0},
        {"Button_5", "5", '5', 3, 1},
        {"Button_6", "6", '6', 3, 2},
        {"Button_Percent", "%", '%', 3, 3},
        {"Button_1", "1", '1', 4, 0},
        {"Button_2", "2", '2', 4, 1},
        {"Button_3", "3", '3', 4, 2},
        {"Button_Total", "=", '=', 4, 3},
        {"Button_0", "0", '0', 5, 0},
        {"Button_Dec", ".", '.', 5, 1},
        {"Button_Print", "Print", calckey::Print, 5, 2},
        {"Button_Opt", "Opt", calckey::Options, 5, 3},
    };
    for (const K& k : layout) keys->addWidget(AddKey(k.name, k.caption, k.key), k.row, k.col);
    buttons_["Button_Dec"]->setText(ui::ToQ(RegionalSeparators().decimal));
    Button_MC = buttons_["Button_MC"];
    Button_MR = buttons_["Button_MR"];

    auto* quit = AddKey("Button_Quit", "Quit", calckey::Escape);
    auto* use = AddKey("Button_Use", "Use", calckey::Use);
    use->hide();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(use);
    bottom->addWidget(quit);

    auto* left = new QVBoxLayout;
    left->addWidget(OptionBook);
    left->addLayout(keys);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(ScreenTicket, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(bottom);

    connect(mail, &QPushButton::clicked, this,
            [] { ui::platform().OpenUrl(QString("mailto:") + kMailAddress); });
    connect(help, &QPushButton::clicked, this, &TTheCalculator::ShowHelp);

    setFocusPolicy(Qt::StrongFocus);
    ShowState();
}

QPushButton* TTheCalculator::AddKey(const char* name, const QString& caption, char key) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);  // typing always reaches the calculator
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, key] { FormKeyPress(key); });
    buttons_[name] = b;
    return b;
}

void TTheCalculator::keyPressEvent(QKeyEvent* event) {
    char key = 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = calckey::Enter;
        break;
    case Qt::Key_Escape:
        key = calckey::Escape;
        break;
    case Qt::Key_Backspace:
        key = calckey::Backspace;
        break;
    default: {
        const QString text = event->text();
        if (text.size() == 1 && text[0].unicode() < 128) key = static_cast<char>(text[0].unicode());
        // The regional decimal separator, where it is not ".", types the point too.
        else if (text == QLocale::system().decimalPoint()) key = '.';
        if (key == ',' && QLocale::system().decimalPoint() == ",") key = '.';
        break;
    }
    }
    if (key == 0 || (Edit1->hasFocus() && key != calckey::Escape && key != calckey::Enter)) {
        QDialog::keyPressEvent(event);
        return;
    }
    FormKeyPress(key);
}

void TTheCalculator::FormKeyPress(char key) {
    const bool leavingDecimals = key == calckey::Options && calc_.OptionPage() == 1;
    if (leavingDecimals) calc_.SetDecimals(Edit1->value());
    switch (calc_.Key(key)) {
    case Calculator::Action::Print:
        PrintTape();
        break;
    case Calculator::Action::NextOptionPage:
        if (calc_.OptionPage() == 1) Edit1->setValue(calc_.Decimals());
        OptionBook->setCurrentIndex(calc_.OptionPage());
        break;
    case Calculator::Action::Close:
        reject();
        break;
    case Calculator::Action::CloseUse:
        used_ = true;
        accept();
        break;
    case Calculator::Action::None:
        break;
    }
    ShowState();
}

void TTheCalculator::ShowState() {
    Display->setText(ui::ToQ(calc_.DisplayText()));
    Button_MC->setVisible(calc_.MemoryShown());
    Button_MR->setVisible(calc_.MemoryShown());
    const auto& tape = calc_.Tape();
    for (; tapeLines_ < static_cast<int>(tape.size()); ++tapeLines_)
        ScreenTicket->appendPlainText(ui::ToQ(tape[tapeLines_]));
    if (QWidget* f = focusWidget(); f && f != Edit1) f->clearFocus();
}

void TTheCalculator::PrintTape() {
    QPrinter printer;
    if (!ui::platform().PrintDialog(printer)) return;
    const QFont font = ScreenTicket->font();
    std::vector<QString> lines;
    for (const std::string& l : calc_.Tape()) lines.push_back(ui::ToQ(l));
    ui::platform().RunPrintJob(printer, "Calculator Tape", [&](QPagedPaintDevice& device) {
        QPainter painter(&device);
        painter.setFont(QFont(font, &device));
        const QFontMetrics fm(painter.font(), &device);
        const int height = device.height();
        int y = fm.ascent();
        for (const QString& line : lines) {
            if (y > height) {
                device.newPage();
                y = fm.ascent();
            }
            painter.drawText(0, y, line);
            y += fm.lineSpacing();
        }
    });
}

void TTheCalculator::ShowHelp() {
    if (help_) {
        help_();
        return;
    }
    ui::ShowHelpPage("corvane-help.html");
}

bool TCalculator::Execute(QWidget* parent, std::function<void()> help) {
    TTheCalculator window(parent);
    if (help) window.SetHelpHandler(std::move(help));
    ui::platform().ShowModal(window);
    value_ = window.Logic().CurrentValue();
    return window.ClosedWithUse();
}

}  // namespace pellard
