#pragma once
// First start of an installed store program: its data lives in the user's own
// folder, which is empty the first time; offer to bring in an existing store.
#include <string>

namespace brenvik {

// When `folder` holds no store yet, tells the user where the data will live
// and offers to copy an existing store's files into it, chosen by picking its
// "Inventory.dt2". Returns true when files were copied.
bool OfferStoreImport(const std::string& folder);

}  // namespace brenvik
