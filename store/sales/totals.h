#pragma once
// Sale and refund arithmetic on the texts of the point-of-sale screen. Every
// step goes through the money-text operations and is rounded as it goes, so
// the screen, the stored record and the printed invoice agree to the cent.
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// One line of a sale or refund list, as the six columns show it.
struct SaleLine {
    std::string item;
    std::string barcode;
    std::string price;
    std::string quantity;
    std::string discount;  // percent of the unit price
    std::string total;     // "$" + two decimals, written only by LineTotal
};

// "$" + quantity x (price less its discount percent), rounded at every step:
// price $19.99, quantity 3, discount 15 gives $50.97.
std::string LineTotal(std::string_view price, std::string_view quantity, std::string_view discount);
inline void TotalLine(SaleLine& line) {
    line.total = LineTotal(line.price, line.quantity, line.discount);
}

struct TaxState {
    bool on = false;
    std::string rate;  // percent text such as "7" or "8.25"
};

// The amounts below the list. A tax that is off is the text "0".
struct SaleAmounts {
    std::string preTax;
    std::string afterDiscount;
    std::string taxOne;
    std::string taxTwo;
    std::string total;
};

// Sale totals from the line totals; the same rule serves the refund page,
// where the discount is called the adjustment. `discountType` "%" reads the
// discount as a percent of the pre-tax total, "$" as an amount; any other
// type discounts nothing.
SaleAmounts ComputeAmounts(const std::vector<std::string>& lineTotals, std::string_view discount,
                           std::string_view discountType, const TaxState& taxOne,
                           const TaxState& taxTwo);
SaleAmounts ComputeAmounts(const std::vector<SaleLine>& lines, std::string_view discount,
                           std::string_view discountType, const TaxState& taxOne,
                           const TaxState& taxTwo);

// Amount received less the total: an underpayment is negative.
std::string ComputeChange(std::string_view received, std::string_view total);

// "VAT (5%)", or "VAT (NA)" when the rate is exactly "0".
std::string TaxCaption(std::string_view name, std::string_view rate);

// The "Discount" cell of a record: "$10" for an amount, "10%" otherwise.
std::string DiscountText(std::string_view amount, std::string_view type);

// Texts joined with ", " (bar codes of the lines, address lines of a customer).
std::string JoinTexts(const std::vector<std::string>& texts);
std::string ItemString(const std::vector<SaleLine>& lines);

}  // namespace brenvik
