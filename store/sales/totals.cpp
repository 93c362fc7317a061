#include "store/sales/totals.h"

#include "store/core/money.h"

namespace brenvik {

std::string LineTotal(std::string_view price, std::string_view quantity,
                      std::string_view discount) {
    const std::string rate = ConvertPercent(discount);
    const std::string perUnit = MultiplyStrings(rate, price);
    const std::string net = SubtractStrings(price, perUnit);
    return MakeMoney(MultiplyStrings(quantity, net));
}

namespace {

std::string TaxOn(const TaxState& tax, const std::string& base) {
    return tax.on ? MultiplyStrings(ConvertPercent(tax.rate), base) : std::string("0");
}

}  // namespace

SaleAmounts ComputeAmounts(const std::vector<std::string>& lineTotals, std::string_view discount,
                           std::string_view discountType, const TaxState& taxOne,
                           const TaxState& taxTwo) {
    SaleAmounts a;
    a.preTax = GetSumFromStringList(lineTotals);
    std::string d = "0";
    if (discountType == "%") d = MultiplyStrings(ConvertPercent(discount), a.preTax);
    else if (discountType == "$") d = std::string(discount);
    a.afterDiscount = SubtractStrings(a.preTax, d);
    // Both taxes apply to the discounted amount side by side.
    a.taxOne = TaxOn(taxOne, a.afterDiscount);
    a.taxTwo = TaxOn(taxTwo, a.afterDiscount);
    a.total = AddStrings(AddStrings(a.afterDiscount, a.taxOne), a.taxTwo);
    return a;
}

SaleAmounts ComputeAmounts(const std::vector<SaleLine>& lines, std::string_view discount,
                           std::string_view discountType, const TaxState& taxOne,
                           const TaxState& taxTwo) {
    std::vector<std::string> totals;
    totals.reserve(lines.size());
    for (const auto& line : lines) totals.push_back(line.total);
    return ComputeAmounts(totals, discount, discountType, taxOne, taxTwo);
}

std::string ComputeChange(std::string_view received, std::string_view total) {
    return SubtractStrings(received, total);
}

std::string TaxCaption(std::string_view name, std::string_view rate) {
    std::string caption(name);
    if (rate == "0") return caption + " (NA)";
    return caption + " (" + std::string(rate) + "%)";
}

std::string DiscountText(std::string_view amount, std::string_view type) {
    if (type == "$") return "$" + std::string(amount);
    return std::string(amount) + "%";
}

std::string JoinTexts(const std::vector<std::string>& texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) out += ", ";
        out += texts[i];
    }
    return out;
}

std::string ItemString(const std::vector<SaleLine>& lines) {
    std::vector<std::string> codes;
    codes.reserve(lines.size());
    for (const auto& line : lines) codes.push_back(line.barcode);
    return JoinTexts(codes);
}

}  // namespace brenvik
