#pragma once
// Saving a table as a comma-separated file chosen by the user: the save
// dialog, the overwrite question (No shows the dialog again), the safe write
// and the closing message.
#include "store/core/stringtable.h"

#include <QString>

namespace brenvik {

// False when the user gave no name. A file that cannot be written raises
// StoreError.
bool SaveTableAsCsv(const StringTable& table, const QString& title);

}  // namespace brenvik
