#pragma once
// The Select Fields dialog: which fields get statistics and report columns,
// and in which order.
#include "analyzer/logview.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace pellard {

class TSelectFieldsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectFieldsForm(QWidget* parent = nullptr);

    void SetFields(const std::vector<FieldEntry>& fields);
    std::vector<FieldEntry> Fields() const;

private:
    QListWidget* SelectFields;
};

}  // namespace pellard
