#pragma once
// The one-line description of a package's list entry.
#include "model/descr_struct.h"
#include "describe/os_tags.h"

namespace cartulon {

// Sets record.EntryText from the record's fields, e.g.
// "- Foo V6.0 for Windows Win7 32bit & Win7 64bit---(WHQL)."
void ComposeEntryText(DescrStruct& record, const MasterFileLocations& masters);

}  // namespace cartulon
