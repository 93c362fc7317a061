#pragma once
// The on-screen print preview: one page of a PageDocument at a time, fitted
// to the width of the view, with a page navigator. The document is rebuilt
// by its composer whenever the paper changes.
#include "ui/pageengine.h"

#include <QWidget>

#include <functional>

class QLabel;
class QScrollArea;
class QToolButton;

namespace ui {

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    using Composer = std::function<void(PageDocument&)>;
    // Clears the document and lays it out again with `composer` (kept for
    // later paper changes); shows the first page.
    void SetComposer(Composer composer);
    void Relayout();
    void SetPaper(const QPageSize& paper);

    PageDocument& Document() { return doc_; }
    const PageDocument& Document() const { return doc_; }
    int CurrentPage() const { return page_; }  // 0-based
    void ShowPage(int index);

    // The navigator's "Page 1 of 2".
    QString PageText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Redraw();

    PageDocument doc_;
    Composer composer_;
    int page_ = 0;
    QScrollArea* scroll_ = nullptr;
    QLabel* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QToolButton* first_ = nullptr;
    QToolButton* prior_ = nullptr;
    QToolButton* next_ = nullptr;
    QToolButton* last_ = nullptr;
};

}  // namespace ui
