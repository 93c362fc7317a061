#include "store/sales/finalize.h"

#include "store/core/money.h"
#include "store/sales/invoices.h"
#include "store/sales/scan.h"

#include <cstdint>

namespace brenvik {

void WriteInvoiceRecord(StringTable& invoices, int row, const InvoiceRecord& r) {
    const auto put = [&](std::string_view heading, const std::string& text) {
        invoices.SetCell(InvoiceField(invoices, heading), row, text);
    };
    put("Date", r.date);
    put("Invoice Number", r.number);
    put("Pre-Tax Amount", r.preTax);
    put("Customer", r.customer);
    put("Items", r.items);
    put("Discount", r.discount);
    put("Tax One", r.taxOne);
    put("Tax Two", r.taxTwo);
    put("Total", r.total);
    put("Payment Method", r.paymentMethod);
    put("Amount Received", r.amountReceived);
}

std::string NegatedText(std::string_view text) {
    if (!text.empty() && text[0] == '-') return std::string(text.substr(1));
    return "-" + std::string(text);
}

std::string NegatedQuantity(std::string_view quantity) {
    // The stock change reads the reduced text, so negate that.
    return NegatedText(StripNonNumeric(quantity));
}

namespace {

InvoiceRecord RecordOf(const SaleForm& form, const Date& today) {
    InvoiceRecord r;
    r.date = FormatDate(today);
    r.customer = JoinTexts(form.customer);
    r.preTax = form.preTax;
    r.discount = DiscountText(form.discountAmount, form.discountType);
    r.taxOne = form.taxOne;
    r.taxTwo = form.taxTwo;
    r.paymentMethod = form.paymentMethod;
    r.items = ItemString(form.lines);
    return r;
}

// Appends a history entry to every line's item and changes its stock by the
// amount `stockChange` gives for the line.
template <class StockChange>
void PostLines(Store& store, const std::vector<SaleLine>& lines, const std::string& date,
               const std::string& activity, const std::string& invoice, StockChange stockChange) {
    for (const auto& line : lines) {
        const int row = LineInventoryRow(store.Data, line.barcode);
        if (row < 0) continue;
        HistoryList& history = store.History(row);
        AppendHistoryEntry(history, {date, activity, invoice, line.quantity, line.total, ""});
        store.UpdateQuantity(row, stockChange(line));
    }
}

}  // namespace

PostResult FinalizeSale(Store& store, const SaleForm& sale, const Date& today) {
    PostResult result;
    const std::string number = store.Values.nextInvoice;
    std::int32_t value = 0;
    if (!ParseWholeNumber(number, value) || value == INT32_MAX) {
        result.message = "The next invoice number \"" + number +
                         "\" is not a whole number, so nothing has been recorded and the stock "
                         "is unchanged.  Set it with Set Next Invoice Number in the Setup menu, "
                         "then try again.";
        return result;
    }
    const int row = FindFreeInvoice(store.InvoiceGrid);
    if (row < 0) {
        result.message = InvoiceTableFullMessage();
        return result;
    }

    const std::string date = FormatDate(today);
    PostLines(store, sale.lines, date, "Invoice Sale", number,
              [](const SaleLine& line) { return line.quantity; });

    InvoiceRecord record = RecordOf(sale, today);
    record.number = number;
    record.total = sale.total;
    record.amountReceived = sale.amountReceived;
    WriteInvoiceRecord(store.InvoiceGrid, row, record);

    store.Values.nextInvoice = std::to_string(static_cast<long long>(value) + 1);
    result.done = true;
    result.invoiceNumber = number;
    result.row = row;
    return result;
}

PostResult ProcessRefund(Store& store, const SaleForm& refund, std::string_view originalInvoice,
                         const Date& today) {
    PostResult result;
    const int row = FindFreeInvoice(store.InvoiceGrid);
    if (row < 0) {
        result.message = InvoiceTableFullMessage();
        return result;
    }

    PostLines(store, refund.lines, FormatDate(today), "Product Return", "",
              [](const SaleLine& line) { return NegatedQuantity(line.quantity); });

    InvoiceRecord record = RecordOf(refund, today);
    record.number = "R" + std::string(originalInvoice);
    // A total that is negative already (a refund of a negative line) turns
    // positive: "--5.00" would be no number to any reader.
    record.total = NegatedText(refund.total);
    record.amountReceived = record.total;
    WriteInvoiceRecord(store.InvoiceGrid, row, record);

    result.done = true;
    result.invoiceNumber = record.number;
    result.row = row;
    return result;
}

}  // namespace brenvik
