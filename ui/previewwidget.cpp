#include "ui/previewwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

namespace {
QToolButton* NavButton(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}
}  // namespace

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* nav = new QHBoxLayout;
    first_ = NavButton(this, "FirstPageBtn", "|<", tr("First page"));
    prior_ = NavButton(this, "PriorPageBtn", "<", tr("Previous page"));
    next_ = NavButton(this, "NextPageBtn", ">", tr("Next page"));
    last_ = NavButton(this, "LastPageBtn", ">|", tr("Last page"));
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("PageLabel");
    nav->addWidget(first_);
    nav->addWidget(prior_);
    nav->addWidget(pageLabel_);
    nav->addWidget(next_);
    nav->addWidget(last_);
    nav->addStretch();
    layout->addLayout(nav);

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter);
    view_ = new QLabel;
    view_->setObjectName("PageView");
    scroll_->setWidget(view_);
    layout->addWidget(scroll_, 1);

    connect(first_, &QToolButton::clicked, this, [this] { ShowPage(0); });
    connect(prior_, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(last_, &QToolButton::clicked, this, [this] { ShowPage(doc_.PageCount() - 1); });
    Redraw();
}

void PreviewWidget::SetComposer(Composer composer) {
    composer_ = std::move(composer);
    page_ = 0;
    Relayout();
}

void PreviewWidget::Relayout() {
    doc_.Clear();
    if (composer_) composer_(doc_);
    page_ = std::clamp(page_, 0, std::max(0, doc_.PageCount() - 1));
    Redraw();
}

void PreviewWidget::SetPaper(const QPageSize& paper) {
    doc_.Setup().paper = paper;
    Relayout();
}

void PreviewWidget::ShowPage(int index) {
    page_ = std::clamp(index, 0, std::max(0, doc_.PageCount() - 1));
    Redraw();
}

QString PreviewWidget::PageText() const {
    return tr("Page %1 of %2").arg(doc_.PageCount() ? page_ + 1 : 0).arg(doc_.PageCount());
}

void PreviewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Redraw();
}

void PreviewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Redraw();
}

void PreviewWidget::Redraw() {
    const int count = doc_.PageCount();
    pageLabel_->setText(PageText());
    first_->setEnabled(page_ > 0);
    prior_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < count);
    last_->setEnabled(page_ + 1 < count);
    if (count == 0 || !isVisible()) {
        view_->setPixmap(QPixmap());
        view_->resize(1, 1);
        return;
    }
    // Fit the page's width into the view, leaving room for a scroll bar.
    const double inches = doc_.Setup().PageSize().width();
    const int room =
        scroll_->viewport()->width() - scroll_->verticalScrollBar()->sizeHint().width() - 8;
    const double dpi = std::clamp(room / inches, 24.0, 300.0);
    const QImage page = RenderPageImage(doc_, page_, dpi);
    view_->setPixmap(QPixmap::fromImage(page));
    view_->resize(page.size());
}

}  // namespace ui
