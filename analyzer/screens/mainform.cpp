#include "analyzer/screens/mainform.h"

#include "analyzer/screens/calculatorform.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/values.h"
#include "store/core/datafolder.h"
#include "ui/helppage.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace pellard {

namespace {

QAction* MakeAction(const QString& name, const QString& text, QObject* parent) {
    auto* a = new QAction(text, parent);
    a->setObjectName(name);
    return a;
}

// An icon that always draws: a desktop theme may lack a standard one, and a
// toolbar button without an icon shows as an empty square.
QIcon DrawnIcon(const QString& letter) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2F, 0x5D, 0x8A));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

void AddToolButton(QToolBar* bar, QAction* action, const QString& name, const QString& hint) {
    if (action->icon().pixmap(QSize(16, 16)).isNull()) action->setIcon(DrawnIcon(hint.left(1)));
    bar->addAction(action);
    if (QWidget* w = bar->widgetForAction(action)) {
        w->setObjectName(name);
        w->setToolTip(hint);
    }
}

}  // namespace

const char* const TAboutBox::kWebSite = "https://www.varnholt.example/corvane";

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("MainForm");
    setWindowTitle("Corvane");
    QApplication::setApplicationDisplayName("Corvane");
    area_ = new QMdiArea(this);
    area_->setObjectName("MDIArea");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    // Switching to another analysis window is what resets its custom report;
    // focus moving to a dialog or another program and back is not.
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        auto* form = sub ? qobject_cast<TViewLogForm*>(sub->widget()) : nullptr;
        if (!form || form == lastActive_) return;
        lastActive_ = form;
        form->FormActivate();
    });

    QStyle* st = style();
    auto* open = MakeAction("Open1", "&Open...", this);
    open->setShortcut(QKeySequence::Open);
    open->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    auto* exit = MakeAction("xit1", "E&xit", this);
    exit->setShortcut(QKeySequence::Quit);
    exit->setIcon(st->standardIcon(QStyle::SP_DialogCloseButton));
    auto* contents = MakeAction("Contents1", "&Contents", this);
    contents->setShortcut(QKeySequence::HelpContents);
    contents->setIcon(st->standardIcon(QStyle::SP_DialogHelpButton));
    auto* gettingStarted = MakeAction("GettingStarted1", "&Getting Started", this);
    auto* about = MakeAction("About", "About Corvane", this);
    auto* calculator = MakeAction("TBCalculator", "Calculator", this);
    calculator->setIcon(st->standardIcon(QStyle::SP_ComputerIcon));
    auto* calendar = MakeAction("TBCalender", "Calendar", this);
    calendar->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));

    QMenu* file = menuBar()->addMenu("&File");
    file->addAction(open);
    file->addSeparator();
    file->addAction(exit);
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(contents);
    help->addAction(gettingStarted);
    QMenu* aboutMenu = menuBar()->addMenu("&About");
    aboutMenu->addAction(about);

    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    auto* openTool = MakeAction("OpenTool", "Open", this);
    openTool->setIcon(open->icon());
    auto* exitTool = MakeAction("ExitTool", "Exit", this);
    exitTool->setIcon(exit->icon());
    auto* helpTool = MakeAction("HelpTool", "Help", this);
    helpTool->setIcon(contents->icon());
    AddToolButton(bar, openTool, "OpenFileBtn", "Open");
    AddToolButton(bar, exitTool, "TBCloseAppBtn", "Exit");
    bar->addSeparator();
    AddToolButton(bar, helpTool, "TBHelpBtn", "Display Help File");
    AddToolButton(bar, calculator, "TBCalculatorBtn", "Show Calculator");
    AddToolButton(bar, calendar, "TBCalenderBtn", "Show Calendar");

    connect(open, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(openTool, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(exitTool, &QAction::triggered, this, &QWidget::close);
    connect(contents, &QAction::triggered, this, &TMainForm::Contents1Click);
    connect(helpTool, &QAction::triggered, this, &TMainForm::Contents1Click);
    connect(gettingStarted, &QAction::triggered, this, &TMainForm::GettingStarted1Click);
    connect(about, &QAction::triggered, this, &TMainForm::AboutClick);
    connect(calculator, &QAction::triggered, this, &TMainForm::TBCalculatorBtnClick);
    connect(calendar, &QAction::triggered, this, &TMainForm::TBCalenderBtnClick);
    resize(900, 650);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (started_) return;
    started_ = true;
    // Start-up runs once, after the frame is on screen.
    QTimer::singleShot(0, this, [this] {
        QStringList params = QCoreApplication::arguments();
        if (!params.isEmpty()) params.removeFirst();
        // The store program hands its files over in its data folder: the
        // program folder, unless BRENVIK_DATA names another (inherited).
        StartUp(params, ui::PathToQ(brenvik::DefaultDataFolder()));
    });
}

void TMainForm::StartUp(const QStringList& params, const QString& programDir) {
    started_ = true;
    SetProgramDateFormat(DateOrder::MonthDayYear);
    if (params.isEmpty() || params.first().isEmpty()) return;
    const QString first = params.first();
    // The store program hands over bare names of its exports in this folder;
    // those carry year/month/day dates. Any other existing file (absolute, or
    // relative to the current folder) is opened with month/day/year dates.
    QString path;
    const QFileInfo given(first);
    std::optional<DateOrder> dates;
    if (given.isRelative() && QFileInfo(QDir(programDir).filePath(first)).isFile()) {
        path = QDir(programDir).filePath(first);
        dates = DateOrder::YearMonthDay;
        SetProgramDateFormat(*dates);
    } else if (given.isFile()) {
        path = given.absoluteFilePath();
    } else {
        return;
    }
    // A failure here is silent: the store program does not wait for an answer.
    if (!OpenFile(path, true, dates)) SetProgramDateFormat(DateOrder::MonthDayYear);
}

TViewLogForm* TMainForm::OpenFile(const QString& path, bool quiet, std::optional<DateOrder> dates) {
    auto* form = new TViewLogForm;
    QMdiSubWindow* sub = area_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(640, 480);
    sub->show();
    area_->setActiveSubWindow(sub);
    QPointer<QMdiSubWindow> guard(sub);
    const auto result = form->LoadFile(path, quiet, dates);
    if (result == TViewLogForm::LoadResult::Cancelled) {
        if (guard) {
            guard->close();
        }
        return nullptr;
    }
    if (result == TViewLogForm::LoadResult::Failed) return nullptr;
    return form;
}

QList<TViewLogForm*> TMainForm::Windows() const {
    QList<TViewLogForm*> out;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (auto* f = qobject_cast<TViewLogForm*>(sub->widget())) out.append(f);
    return out;
}

void TMainForm::Open1Click() {
    auto name =
        ui::platform().OpenFileName({"Open", "Comma Delimited File (*.csv)", "csv", {}, {}});
    if (!name || name->isEmpty()) return;
    OpenFile(*name);
}

void TMainForm::Contents1Click() { ui::ShowHelpPage("corvane-help.html"); }
void TMainForm::GettingStarted1Click() { ui::ShowHelpPage("corvane-getting-started.html"); }

void TMainForm::AboutClick() {
    TAboutBox box(this);
    ui::platform().ShowModal(box);
}

void TMainForm::TBCalculatorBtnClick() {
    // The value is not taken anywhere; the calculator is a tool beside the analysis.
    TCalculator c;
    c.Execute(this, [this] { Contents1Click(); });
}

void TMainForm::TBCalenderBtnClick() {
    // Only shows dates; nothing is taken from it.
    QRect screen(0, 0, 1024, 768);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->geometry();
    const QPoint at((screen.width() - 100) / 2, (screen.height() - 200) / 2);
    ui::platform().PickDate(at, QDate::currentDate());
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* product = new QLabel("<b style='font-size:16pt'>Corvane</b>", this);
    product->setObjectName("ProductName");
    auto* version = new QLabel("Version 1.0", this);
    version->setObjectName("Version");
    auto* copyright = new QLabel("Copyright \u00A9 Varnholt. All rights reserved.", this);
    copyright->setObjectName("Copyright");
    auto* disclaimer = new QLabel(
        "This program is provided as is, without warranty of any kind. Check important "
        "figures against your own records.",
        this);
    disclaimer->setObjectName("Comments");
    disclaimer->setWordWrap(true);
    auto* link = new QLabel(QString("<a href=\"%1\">%1</a>").arg(kWebSite), this);
    link->setObjectName("WebLink");
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this,
            [](const QString& url) { ui::platform().OpenUrl(url); });
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(copyright);
    layout->addWidget(disclaimer);
    layout->addWidget(link);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

}  // namespace pellard
