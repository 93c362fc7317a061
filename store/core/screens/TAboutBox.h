#pragma once
// The about box: the product title, its version and a close button.
#include <QDialog>

namespace brenvik {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace brenvik
