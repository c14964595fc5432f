#include "app/windows/unknown_fields.h"

namespace UnknownFields {

std::string message(const std::vector<std::string> &fields)
{
    std::string names;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            names += i + 1 == fields.size() ? " and " : ", ";
        names += fields[i];
    }
    return "Cannot get " + names + " from BIOS... Set " + (fields.size() > 1 ? "them" : "it") +
           ", then press OK again.";
}

} // namespace UnknownFields
