#pragma once

#include <string>
#include <vector>

// The rule the three setting dialogs share: a field the firmware would not
// give is shown as unknown and never written back. A dialog writes a record
// only when each of its fields is known, read from the firmware or chosen by
// the user; otherwise it writes nothing and says which fields it lacks.
namespace UnknownFields {

// What a field shows while its value is unknown.
inline constexpr char Shown[] = "--";

// The message that names the fields the firmware would not give, in order:
// "Cannot get minute from BIOS... Set it, then press OK again."
std::string message(const std::vector<std::string> &fields);

} // namespace UnknownFields
