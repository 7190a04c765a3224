#include "vouchers/source_documents.h"

#include <array>

namespace qj::vouchers {

namespace {

struct KindRow {
  int kind;
  int documentType;
  const char* form;
};

constexpr std::array<KindRow, 27> kKinds = {{
    {24, 1, "OvoSalesOrderForm"},
    {11, 2, "OvoSaleInvoiceForm"},
    {13, 3, "OvoCashSaleForm"},
    {22, 4, "OvoSalesBackForm"},
    {12, 5, "AccountReceivableForm"},
    {23, 6, "OvoPurchaseOrderForm"},
    {15, 7, "OvoRecieveForm"},
    {21, 8, "OvoPurchaseBackMaster_Frm"},
    {16, 9, "OvoPayForm"},
    {18, 10, "OvoDrawMaster_Frm"},
    {19, 11, "OvoBackMaterialMaster_Frm"},
    {17, 12, "OvoProductInStoreForm"},
    {25, 13, "OvoTransferCommodityForm"},
    {20, 14, "OvoCheckMaster_Frm"},
    {26, 15, "OvoInOutForm"},
    {29, 16, "OvoAssembledForm"},
    {30, 17, "OvoExpenditureForm"},
    {31, 18, "OvoIncomeMaster_Frm"},
    {28, 19, "OvoAdjustPriceForm"},
    {32, 20, "OvoMoveMoneyForm"},
    {33, 21, "OvoPaymentLaborage_Form"},
    {35, 22, "OvoValuedRecieveForm"},
    {34, 24, "DiarlyEndListBill_Frm"},
    {36, 26, "OvoCashRecieveForm"},
    {37, 27, ""},
    {38, 38, "PrecativeSaleBalanceForm"},
    {39, 39, "PrecativeSaleBalanceForm"},
}};

}  // namespace

std::optional<SourceDocument> SourceDocumentOf(int sourceKind) {
  for (const KindRow& row : kKinds)
    if (row.kind == sourceKind) return SourceDocument{row.documentType, row.form};
  return std::nullopt;
}

}  // namespace qj::vouchers
