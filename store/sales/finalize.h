#pragma once
// Recording a sale or a refund: stock changes, item-history entries and the
// invoice record. Every check that can refuse is made before anything
// changes, so a refused sale leaves stock, histories and invoices untouched.
#include "store/core/datetext.h"
#include "store/inventory/store.h"
#include "store/sales/totals.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// A sale or refund as its page shows it. For a refund, the discount is the
// adjustment and `amountReceived` is not used.
struct SaleForm {
    std::vector<SaleLine> lines;
    std::vector<std::string> customer;  // address lines, joined with ", " in the record
    std::string preTax;
    std::string discountAmount;
    std::string discountType;
    std::string taxOne;
    std::string taxTwo;
    std::string total;
    std::string paymentMethod;
    std::string amountReceived;
};

struct PostResult {
    bool done = false;
    std::string message;        // why nothing was recorded
    std::string invoiceNumber;  // the record's number
    int row = -1;               // the invoice table row written
};

// The eleven cells of a record, in heading order.
struct InvoiceRecord {
    std::string date, number, customer, preTax, discount, taxOne, taxTwo, total, paymentMethod,
        amountReceived, items;
};
// Writes each cell into the column found by its heading name.
void WriteInvoiceRecord(StringTable& invoices, int row, const InvoiceRecord& record);

// Lowers the stock of every line with an inventory row, adds an "Invoice
// Sale" entry to its history, writes the record into the first free row and
// moves the next invoice number on by one. Refused, with nothing changed,
// when the next invoice number is not a whole number or the table is full.
PostResult FinalizeSale(Store& store, const SaleForm& sale, const Date& today);

// Puts every line with an inventory row back into stock with a "Product
// Return" entry and writes a refund record numbered "R" + the original
// invoice, whose total and amount received are the refund total negated. Refused, with
// nothing changed, when the table is full. The invoice numbers stay as they are.
PostResult ProcessRefund(Store& store, const SaleForm& refund, std::string_view originalInvoice,
                         const Date& today);

// The amount that raises the stock by a returned quantity: its negation
// ("2" gives "-2", "-1" gives "1").
std::string NegatedQuantity(std::string_view quantity);
// A number text with its sign turned: a leading minus goes, otherwise one is
// put in front ("12.50" gives "-12.50", "-5.00" gives "5.00").
std::string NegatedText(std::string_view text);

}  // namespace brenvik
