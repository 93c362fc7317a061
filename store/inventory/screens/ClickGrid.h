#pragma once
// The two-column tables of the item dialogs (field name, value): column 0 is
// never edited; a mouse press on a row is passed on with its button and
// screen position, so each dialog decides what a click on a field does.
#include <QTableWidget>

#include <string>
#include <vector>

namespace brenvik {

class ClickGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ClickGrid(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // Rows of (caption, value); `editable[i]` says whether value i may be typed.
    void Fill(const std::vector<std::string>& captions, const std::vector<std::string>& values,
              const std::vector<bool>& editable);
    std::string Value(int row) const;
    void SetValue(int row, const std::string& value);
    std::vector<std::string> Values() const;
    // The row whose caption is `caption` ignoring case, or -1.
    int RowOf(const std::string& caption) const;

signals:
    // A press on a row (either column), with the press's screen position.
    void MouseDown(int row, Qt::MouseButton button, const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace brenvik
