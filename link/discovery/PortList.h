#pragma once
// The entries of the port field and which one is picked again after the list
// was rebuilt. No widget involved, so the rules can be checked on their own.

#include <string>
#include <vector>

namespace zeb40 {

// "%s (COM%d)": "USB Serial Port (COM101)"; a device the system gives no
// description for is named by its device instead: "ttyS4 (COM5)".
std::string PortEntryText(unsigned number, const std::string& description);

// The order of the port field's list: alphabetical, without regard to case.
bool PortEntryBefore(const std::string& a, const std::string& b);

// The entries of both lists in the field's order: alphabetical, without regard
// to case.
std::vector<std::string> SortedPortEntries(const std::vector<unsigned>& numbers,
                                           const std::vector<std::string>& descriptions);

// The first entry that begins with the remembered text (case ignored), looking
// from the second entry to the last and then at the first; -1 when none does.
int ReselectedEntry(const std::vector<std::string>& entries, const std::string& remembered);

} // namespace zeb40
