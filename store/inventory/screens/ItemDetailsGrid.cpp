#include "store/inventory/screens/ItemDetailsGrid.h"

#include "store/core/datetext.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace brenvik {

ItemDetailsGrid::ItemDetailsGrid(QWidget* parent) : ClickGrid(parent) {
    setObjectName("EditGrid");
    connect(this, &ClickGrid::MouseDown, this, &ItemDetailsGrid::ProcessField);
}

void ItemDetailsGrid::FillItem(const std::vector<brenvik::FieldData>& fields,
                               const std::vector<std::string>& values) {
    fields_ = fields;
    std::vector<std::string> captions;
    std::vector<bool> editable;
    for (const auto& f : fields_) {
        captions.push_back(f.name);
        editable.push_back(brenvik::AllowFieldEdit(f.code));
    }
    Fill(captions, values, editable);
}

void ItemDetailsGrid::ProcessField(int row, Qt::MouseButton button, const QPoint& globalPos) {
    if (row < 0 || row >= static_cast<int>(fields_.size())) return;
    const brenvik::FieldData& field = fields_[static_cast<std::size_t>(row)];
    setCurrentCell(row, 1);
    if (button == Qt::LeftButton && field.code == brenvik::FieldDate) {
        int chosen = ui::platform().PopupMenu(globalPos, {{"Set Date"}, {"Clear Date"}});
        if (chosen == 0) SetDate1Click(row, globalPos);
        else if (chosen == 1) SetValue(row, "");
    } else if (button == Qt::LeftButton && field.code == brenvik::FieldBarCode) {
        std::vector<std::string> codes =
            InventoryBarCodes ? InventoryBarCodes() : std::vector<std::string>();
        SetValue(row, brenvik::GetBarCode(ui::platform(), Value(row), codes));
    } else if (button == Qt::RightButton && !field.choiceList.empty()) {
        std::vector<ui::MenuEntry> entries;
        for (const std::string& choice : field.choiceList) entries.push_back({ui::ToQ(choice)});
        int chosen = ui::platform().PopupMenu(globalPos, entries);
        if (chosen >= 0 && chosen < static_cast<int>(field.choiceList.size()))
            SetValue(row, field.choiceList[static_cast<std::size_t>(chosen)]);
    }
}

void ItemDetailsGrid::SetDate1Click(int row, const QPoint& globalPos) {
    brenvik::Date initial = brenvik::ParseDate(Value(row)).value_or(brenvik::Today());
    auto picked = ui::platform().PickDate(globalPos + QPoint(10, 10),
                                          QDate(initial.year, initial.month, initial.day));
    if (picked)
        SetValue(row, brenvik::FormatDate({picked->year(), picked->month(), picked->day()}));
}

}  // namespace brenvik
